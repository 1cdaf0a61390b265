#include "features/point_name_pass.h"

#include <algorithm>
#include <cstddef>

#include "common/byte_reader.h"
#include "common/field_format.h"
#include "common/file_io.h"
#include "common/line_writer.h"
#include "common/text_forms.h"

namespace zendro {
namespace {

using field_format::kBlockSize;
using field_format::kRecordHeaderSize;
using field_format::kSecondFeatureOffset;

struct DescriptionRecord {
    std::size_t blocks = 1;  // a count byte of 0 still takes one block
    std::int64_t pointNumber = 0;
    std::string text;
};

// The record starting at `offset`, whose five header bytes the caller has
// checked. Text bytes past the end of the file count as padding, like zeros.
DescriptionRecord readDescriptionRecord(std::string_view bytes, std::size_t offset) {
    DescriptionRecord record;
    const std::uint8_t count = readByte(bytes, offset + field_format::kCountOffset);
    record.blocks = std::max<std::size_t>(count, 1);
    record.pointNumber = readLittleEndian<2>(bytes, offset + field_format::kDescriptionPointOffset);

    const std::size_t textLength = count == 0 ? 0 : kBlockSize * count - kRecordHeaderSize;
    const std::size_t textStart = offset + kRecordHeaderSize;
    const std::size_t textEnd = std::min(bytes.size(), textStart + textLength);
    for (std::size_t at = textStart; at < textEnd; ++at) {
        if (bytes[at] != '\0') record.text.push_back(bytes[at]);
    }
    record.text = trimSpaces(record.text);
    return record;
}

// One feature, or two when the text holds a "~": the parts around the first
// "~" are taken as they stand, and a further "~" stays in the second part.
void appendFeatures(const DescriptionRecord& record, std::vector<NamedFeature>& features) {
    const auto tilde = record.text.find('~');
    if (tilde == std::string::npos) {
        features.push_back({record.pointNumber, record.text});
        return;
    }
    features.push_back({record.pointNumber, record.text.substr(0, tilde)});
    features.push_back({record.pointNumber + kSecondFeatureOffset, record.text.substr(tilde + 1)});
}

void writeFeatureLine(LineWriter& pf, const NamedFeature& feature, std::string_view commentCode) {
    const std::string& description = feature.description;
    // An empty delimiter would match at every description's first character;
    // it means the descriptions carry no comment.
    const auto split = commentCode.empty() ? std::string::npos : description.find(commentCode);
    pf.number(static_cast<double>(feature.pointNumber)).text(",");
    if (split == std::string::npos) {
        pf.text(description).text(", ");
    } else {
        // The comment starts after the delimiter's first character.
        pf.text(std::string_view(description).substr(0, split))
            .text(",")
            .text(std::string_view(description).substr(split + 1));
    }
    pf.endLine();
}

}  // namespace

std::vector<NamedFeature> readPointNames(std::string_view ctxBytes, RunObserver& observer) {
    std::vector<NamedFeature> features;
    const double length = static_cast<double>(ctxBytes.size());
    // The file's first blocks hold nothing the conversion reads.
    std::size_t offset = field_format::kDescriptionPrologueSize;
    // A record whose header is cut off by the end of the file ends the pass.
    while (bytesAvailable(ctxBytes, offset, kRecordHeaderSize)) {
        observer.progress(100.0 * static_cast<double>(offset + 1) / length);
        const DescriptionRecord record = readDescriptionRecord(ctxBytes, offset);
        appendFeatures(record, features);
        offset += kBlockSize * record.blocks;
    }
    return features;
}

std::string pointFeatureFileText(const std::vector<NamedFeature>& features,
                                 std::string_view commentCode) {
    std::string text;
    LineWriter pf(text);
    for (const NamedFeature& feature : features) writeFeatureLine(pf, feature, commentCode);
    return text;
}

std::optional<std::string> pointFeatureFileFromCtx(std::optional<std::string_view> ctxBytes,
                                                   const std::string& ctxPath,
                                                   std::string_view commentCode,
                                                   RunObserver& observer) {
    if (!ctxBytes) {
        // An empty point-feature file now would keep the CTX file from ever
        // being read once it arrives, so none is made.
        observer.warning(ctxPath +
                         ": the CTX file does not exist; the job has no point descriptions");
        return std::nullopt;
    }
    observer.progress(0);
    return pointFeatureFileText(readPointNames(*ctxBytes, observer), commentCode);
}

bool runPointNamePass(const JobPaths& job, std::string_view commentCode, RunObserver& observer) {
    observer.status("Reading Point Names");
    // The file belongs to the feature editor once it exists.
    if (fileExists(job.pfPath)) return false;

    const std::string ctxPath = findFieldFile(job.ctxPath);
    std::optional<std::string> ctxBytes;
    if (!ctxPath.empty()) ctxBytes = readFileBytes(ctxPath);
    const std::optional<std::string> pf =
        pointFeatureFileFromCtx(ctxBytes, job.ctxPath, commentCode, observer);
    if (pf) writeFileAtomically(job.pfPath, *pf);
    return pf.has_value();
}

}  // namespace zendro

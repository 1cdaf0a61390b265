#include "exports/xml_writer.h"

#include "common/errors.h"

namespace zendro::exports {
namespace {

const xmlChar* xmlText(const char* text) { return reinterpret_cast<const xmlChar*>(text); }

// libxml2's output flushes its chunks here. (Its own memory buffer moves
// everything written so far on each flush: seconds for a large job.)
int appendChunk(void* bytes, const char* chunk, int length) {
    static_cast<std::string*>(bytes)->append(chunk, static_cast<std::size_t>(length));
    return length;
}

}  // namespace

XmlWriter::XmlWriter(std::string fileName, std::size_t expectedBytes)
    : fileName_(std::move(fileName)) {
    bytes_.reserve(expectedBytes);
    xmlOutputBuffer* output = xmlOutputBufferCreateIO(appendChunk, nullptr, &bytes_, nullptr);
    if (output == nullptr) throw ZendroError(fileName_, "no memory for the XML");
    writer_.reset(xmlNewTextWriter(output));  // owns `output` from here
    if (!writer_) {
        xmlOutputBufferClose(output);
        throw ZendroError(fileName_, "libxml2 could not start the XML writer");
    }
    // Not indented: libxml2 writes an indent as one call per level, the
    // largest cost of a file of a million elements after the elements
    // themselves. UTF-8, what the writer is given: another encoding runs
    // libxml2's converter over every chunk written.
    check(xmlTextWriterStartDocument(writer_.get(), "1.0", "UTF-8", nullptr), "starting");
}

void XmlWriter::startElement(const char* name) {
    check(xmlTextWriterStartElement(writer_.get(), xmlText(name)), name);
}

void XmlWriter::attribute(const char* name, const char* utf8Value) {
    check(xmlTextWriterWriteAttribute(writer_.get(), xmlText(name), xmlText(utf8Value)), name);
}

void XmlWriter::text(const char* utf8Text) {
    check(xmlTextWriterWriteString(writer_.get(), xmlText(utf8Text)), "text");
}

void XmlWriter::endElement() { check(xmlTextWriterEndElement(writer_.get()), "an element end"); }

std::string XmlWriter::finish() {
    check(xmlTextWriterEndDocument(writer_.get()), "ending");
    check(xmlTextWriterFlush(writer_.get()), "flushing");
    writer_.reset();
    return std::move(bytes_);
}

void XmlWriter::check(int result, std::string_view doing) const {
    if (result < 0) {
        throw ZendroError(fileName_,
                          "libxml2 failed writing the XML (" + std::string(doing) + ")");
    }
}

}  // namespace zendro::exports

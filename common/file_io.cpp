#include "common/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "common/errors.h"
#include "common/output_files.h"

namespace zendro {
namespace {

std::string causeOf(int error) { return std::strerror(error); }

}  // namespace

bool fileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const int error = errno;
        throw ZendroError(path, fileExists(path) ? "cannot be read (" + causeOf(error) + ")"
                                                 : std::string("the file does not exist"));
    }
    // Sized once from the file's length, so a large file takes its own size in
    // memory and no more; a file that grows meanwhile is read to its end.
    std::string bytes;
    in.seekg(0, std::ios::end);
    const std::streamoff length = in.tellg();
    in.seekg(0, std::ios::beg);
    if (length > 0) {
        bytes.resize(static_cast<std::size_t>(length));
        in.read(bytes.data(), length);
        bytes.resize(static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) throw ZendroError(path, "cannot be read");
    bytes.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) throw ZendroError(path, "cannot be read");
    return bytes;
}

void writeFileAtomically(const std::string& path, std::string_view bytes) {
    OutputFiles files;
    files.add(path).write(bytes);
    files.commit();
}

}  // namespace zendro

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
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw ZendroError(path, "cannot be read");
    return bytes;
}

void writeFileAtomically(const std::string& path, std::string_view bytes) {
    OutputFiles files;
    files.add(path).write(bytes);
    files.commit();
}

}  // namespace zendro

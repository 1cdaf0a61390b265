#pragma once

#include <string>
#include <string_view>

namespace zendro::testing {

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes away. `path()` ends with the path separator.
class TempDir {
  public:
    TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();

    const std::string& path() const { return path_; }
    std::string file(std::string_view name) const { return path_ + std::string(name); }

  private:
    std::string path_;
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, std::string_view bytes);

// Text lines joined with CR LF, each line ended.
std::string crlfLines(std::initializer_list<std::string_view> lines);

}  // namespace zendro::testing

#pragma once

#include <filesystem>
#include <map>
#include <string>

// What the runners of case folders share: each folder's options and the
// expected files compared byte for byte.
namespace zendro::testing {

// The `key=value` lines of a case's options file; none when it has none.
std::map<std::string, std::string> optionLines(const std::filesystem::path& file);

// `diff -u` of the expected file against this run's bytes.
std::string unifiedDiff(const std::filesystem::path& expected, const std::string& actual);

// Fails the test with the diff when `actual` is not the expected file's
// bytes; with ZENDRO_UPDATE_CASES set, writes them as the expected file.
void expectCaseFile(const std::filesystem::path& expected, const std::string& actual);

}  // namespace zendro::testing

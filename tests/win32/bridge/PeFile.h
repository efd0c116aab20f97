#pragma once

// What the headers of a built PE file say, read from the file on disk rather than from a
// loaded image, so that the test sees the file as it is shipped.

#include <cstdint>
#include <string>
#include <vector>

namespace bridge_test {

struct PeFacts {
  bool readable = false;
  std::uint16_t machine = 0;
  std::uint16_t characteristics = 0;
  std::uint32_t exportedFunctionCount = 0;  // entries of the export address table
  std::vector<std::string> exportedNames;
  std::vector<std::string> importedLibraries;
  std::string problem;  // why the file could not be read
};

PeFacts ReadPeFile(const std::wstring& fileName);

}  // namespace bridge_test

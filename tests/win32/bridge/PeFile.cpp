#include "tests/win32/bridge/PeFile.h"

#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace bridge_test {
namespace {

class Image {
 public:
  explicit Image(std::vector<char> bytes) : bytes_(std::move(bytes)) {}

  template <typename T>
  const T* At(std::size_t offset) const {
    if (offset > bytes_.size() || bytes_.size() - offset < sizeof(T)) return nullptr;
    return reinterpret_cast<const T*>(bytes_.data() + offset);
  }

  bool MapSections(std::size_t sectionsOffset, unsigned count) {
    for (unsigned i = 0; i < count; ++i) {
      const auto* section = At<IMAGE_SECTION_HEADER>(sectionsOffset + i * sizeof(IMAGE_SECTION_HEADER));
      if (section == nullptr) return false;
      sections_.push_back(*section);
    }
    return true;
  }

  // File offset of a relative virtual address, or 0 when no section holds it.
  std::size_t Offset(std::uint32_t rva) const {
    for (const IMAGE_SECTION_HEADER& section : sections_) {
      const std::uint32_t size = section.Misc.VirtualSize ? section.Misc.VirtualSize : section.SizeOfRawData;
      if (rva >= section.VirtualAddress && rva - section.VirtualAddress < size) {
        return section.PointerToRawData + (rva - section.VirtualAddress);
      }
    }
    return 0;
  }

  std::string StringAt(std::uint32_t rva) const {
    const std::size_t offset = Offset(rva);
    if (offset == 0 || offset >= bytes_.size()) return {};
    const char* begin = bytes_.data() + offset;
    const void* end = std::memchr(begin, '\0', bytes_.size() - offset);
    return end ? std::string(begin, static_cast<const char*>(end)) : std::string();
  }

 private:
  std::vector<char> bytes_;
  std::vector<IMAGE_SECTION_HEADER> sections_;
};

}  // namespace

PeFacts ReadPeFile(const std::wstring& fileName) {
  PeFacts facts;
  std::ifstream file(fileName.c_str(), std::ios::binary);
  if (!file) {
    facts.problem = "cannot open the file";
    return facts;
  }
  Image image(std::vector<char>(std::istreambuf_iterator<char>(file), {}));

  const auto* dos = image.At<IMAGE_DOS_HEADER>(0);
  if (dos == nullptr || dos->e_magic != IMAGE_DOS_SIGNATURE) {
    facts.problem = "no DOS header";
    return facts;
  }
  const auto* nt = image.At<IMAGE_NT_HEADERS32>(static_cast<std::size_t>(dos->e_lfanew));
  if (nt == nullptr || nt->Signature != IMAGE_NT_SIGNATURE ||
      nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
    facts.problem = "no 32-bit PE headers";
    return facts;
  }
  facts.machine = nt->FileHeader.Machine;
  facts.characteristics = nt->FileHeader.Characteristics;
  const std::size_t sections = static_cast<std::size_t>(dos->e_lfanew) + offsetof(IMAGE_NT_HEADERS32, OptionalHeader) +
                               nt->FileHeader.SizeOfOptionalHeader;
  if (!image.MapSections(sections, nt->FileHeader.NumberOfSections)) {
    facts.problem = "section table cut short";
    return facts;
  }

  const IMAGE_DATA_DIRECTORY& exports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  if (exports.VirtualAddress != 0) {
    const auto* directory = image.At<IMAGE_EXPORT_DIRECTORY>(image.Offset(exports.VirtualAddress));
    if (directory == nullptr) {
      facts.problem = "export directory outside the file";
      return facts;
    }
    facts.exportedFunctionCount = directory->NumberOfFunctions;
    for (DWORD i = 0; i < directory->NumberOfNames; ++i) {
      const auto* nameRva = image.At<DWORD>(image.Offset(directory->AddressOfNames) + i * sizeof(DWORD));
      if (nameRva == nullptr) {
        facts.problem = "export name table cut short";
        return facts;
      }
      facts.exportedNames.push_back(image.StringAt(*nameRva));
    }
  }

  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress != 0) {
    for (std::size_t offset = image.Offset(imports.VirtualAddress);; offset += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
      const auto* descriptor = image.At<IMAGE_IMPORT_DESCRIPTOR>(offset);
      if (descriptor == nullptr) {
        facts.problem = "import table cut short";
        return facts;
      }
      if (descriptor->Name == 0) break;
      facts.importedLibraries.push_back(image.StringAt(descriptor->Name));
    }
  }
  facts.readable = true;
  return facts;
}

}  // namespace bridge_test

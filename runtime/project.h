#pragma once
// The project record: the settings the entry point hands to the runtime.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "runtime/events.h"
#include "runtime/form_model.h"

namespace mivello {

// A 16-byte identifier in the usual Windows layout.
struct Guid {
  std::uint32_t data1 = 0;
  std::uint16_t data2 = 0;
  std::uint16_t data3 = 0;
  std::array<std::uint8_t, 8> data4{};
  friend bool operator==(const Guid&, const Guid&) = default;
};

struct FormTableEntry;

// The words a picture shows, for those who hear the window rather than see it.
struct PictureWords {
  std::string_view control;
  std::u16string_view words;
};

// Reads a window's content from its entry; throws StartupError when it cannot.
using FormLoader = FormModel (*)(const FormTableEntry& entry);

// One window of the project: where its stored description is, the two
// identifiers that the description's header repeats, how to read it, and
// which procedures its events run.
struct FormTableEntry {
  std::string_view name;
  std::span<const std::uint8_t> description;
  Guid formId;
  Guid secondFormId;
  FormLoader load = nullptr;
  std::span<const EventBinding> events;
  std::span<const PictureWords> pictureWords = {};
};

enum class Threading : std::uint8_t { SingleThreaded };

struct ProjectRecord {
  std::string_view projectName;
  std::string_view secondName;
  std::string_view executableName;
  std::string_view helpFile;  // empty: none
  std::string_view startupForm;
  std::span<const FormTableEntry> forms;
  std::uint16_t locale = 0;
  std::string_view languageLibrary;
  Threading threading = Threading::SingleThreaded;
};

}  // namespace mivello

#pragma once
// The project record: the settings the entry point hands to the runtime.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "runtime/form_model.h"
#include "runtime/startup/events.h"

namespace mivello {

// A 16-byte identifier in the usual Windows layout.
struct Guid {
  std::uint32_t data1 = 0;
  std::uint16_t data2 = 0;
  std::uint16_t data3 = 0;
  std::array<std::uint8_t, 8> data4{};
  friend bool operator==(const Guid&, const Guid&) = default;
};

// The words a picture shows, for those who hear the window rather than see it.
struct PictureWords {
  std::string_view control;
  std::u16string_view words;
};

// One window of the project: where its stored description is, the two
// identifiers that the description's header repeats, and which procedures
// its events run.
struct FormTableEntry {
  std::string_view name;
  std::span<const std::uint8_t> description;
  Guid formId;
  Guid secondFormId;
  std::span<const EventBinding> events;
  std::span<const PictureWords> pictureWords = {};
};

// Reads a window's content from its entry; throws StartupError when it cannot.
using FormReader = FormModel (*)(const FormTableEntry& entry);

enum class Threading : std::uint8_t { SingleThreaded };

// The project's settings as they were fixed when it was made; the runtime
// reads the names, the start-up form and the windows, and keeps the rest.
struct ProjectRecord {
  std::string_view projectName;
  std::string_view secondName;
  std::string_view executableName;
  std::string_view helpFile;  // empty: none
  std::string_view startupForm;
  std::span<const FormTableEntry> forms;
  FormReader readForm = nullptr;  // the reader of the stored descriptions
  std::uint16_t locale = 0;
  std::string_view languageLibrary;
  Threading threading = Threading::SingleThreaded;
};

}  // namespace mivello

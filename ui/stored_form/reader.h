#pragma once
// Reads a stored form description block into the form model.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "runtime/form_model.h"
#include "runtime/startup/events.h"
#include "runtime/startup/project.h"
#include "ui/stored_form/schema.h"

namespace mivello {

// A damaged block: where reading stopped and what it expected there.
class FormDescriptionError : public StartupError {
 public:
  FormDescriptionError(std::size_t offset, std::string expected);
  std::size_t Offset() const { return offset_; }
  const std::string& Expected() const { return expected_; }

 private:
  std::size_t offset_;
  std::string expected_;
};

// One field as the reader met it: where it starts, its row of the schema
// (or of the framing) and all of its bytes.
struct FieldRead {
  std::size_t offset;
  const stored_form::RowInfo& row;
  std::span<const std::uint8_t> bytes;
};
using FormReadObserver = std::function<void(const FieldRead&)>;

// Reads `block`, whose header must carry the two identifiers. Never reads
// outside the block; throws FormDescriptionError for a damaged one. Controls
// of an unknown class or with unknown property codes are stepped over.
FormModel ReadFormDescription(std::span<const std::uint8_t> block, const Guid& formId,
                              const Guid& secondFormId, const FormReadObserver& observer = nullptr);

// The two form identifiers that a block's header carries (zero where the
// block is too short), for tools that read blocks of any form.
struct HeaderIdentifiers {
  Guid formId;
  Guid secondFormId;
};
HeaderIdentifiers IdentifiersInHeader(std::span<const std::uint8_t> block);

// The reader as the project record names it: a window's entry to its form.
FormModel ReadStoredForm(const FormTableEntry& entry);

}  // namespace mivello

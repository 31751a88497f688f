// Any bytes: the form reader gives a form or a FormDescriptionError, never
// reads outside the block and never crashes. The identifiers are taken from
// the bytes themselves so that the fuzzer gets past the header.
#include <cstdint>
#include <span>

#include "ui/form_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> block(data, size);
  const auto ids = mivello::IdentifiersInHeader(block);
  try {
    mivello::ReadFormDescription(block, ids.formId, ids.secondFormId);
  } catch (const mivello::FormDescriptionError&) {
  }
  return 0;
}

#include "ui/stored_form/writer.h"

#include <stdexcept>
#include <string>

#include "ui/stored_form/format.h"
#include "ui/stored_form/schema.h"
#include "ui/stored_form/values.h"

namespace mivello {
namespace {

namespace sf = stored_form;
namespace ff = stored_form::format;

using Bytes = std::vector<std::uint8_t>;

void U16(Bytes& out, std::size_t v, const char* what) {
  if (v > 0xFFFF) throw std::invalid_argument(std::string(what) + " out of range: " + std::to_string(v));
  sf::AppendLittleEndian(out, static_cast<std::uint32_t>(v), 2);
}

void AppendIdentifier(Bytes& out, const Guid& g) {
  sf::AppendLittleEndian(out, g.data1, 4);
  sf::AppendLittleEndian(out, g.data2, 2);
  sf::AppendLittleEndian(out, g.data3, 2);
  out.insert(out.end(), g.data4.begin(), g.data4.end());
}

// Writes the 4-byte length at `at`, counting from `at` to the current end.
void PatchLength(Bytes& out, std::size_t at) {
  const std::size_t length = out.size() - at;
  if (length > 0xFFFFFFFFu) throw std::invalid_argument("block over 4 GB");
  for (std::size_t i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(length >> (8 * i));
}

void AppendObjectHeader(Bytes& out, std::size_t number, const std::string& name, ControlClass kind) {
  out.push_back(static_cast<std::uint8_t>(number));
  U16(out, name.size(), "name length");
  for (char c : name) {
    if (static_cast<unsigned char>(c) > 0x7F || c == '\0')
      throw std::invalid_argument("name not plain ASCII: " + name);
  }
  out.insert(out.end(), name.begin(), name.end());
  out.push_back(0);
  out.push_back(static_cast<std::uint8_t>(kind));
}

// The record's properties in the schema's order; those at their default are left out.
template <class Model>
void AppendProperties(Bytes& out, std::span<const sf::PropertyRow<Model>> rows, const Model& model) {
  for (const auto& row : rows) {
    const sf::Value value = sf::Get(model, row.field);
    if (sf::AtDefault(value)) continue;
    out.push_back(static_cast<std::uint8_t>(row.code));
    sf::Encode(row.kind, value, out);
  }
  out.push_back(ff::kEndOfProperties);
}

}  // namespace

std::vector<std::uint8_t> WriteFormDescription(const FormModel& form, const Guid& formId,
                                               const Guid& secondFormId) {
  if (form.controls.size() > 0xFF) throw std::invalid_argument("more controls than object numbers");
  Bytes out(std::begin(ff::kMark), std::end(ff::kMark));
  U16(out, ff::kHeaderLength, "header length");
  out.push_back(ff::kHeaderTag);
  AppendIdentifier(out, formId);
  AppendIdentifier(out, secondFormId);
  AppendIdentifier(out, ff::kFormClassId);
  out.resize(ff::kFormRecordOffset, 0);  // zeros, then the two lengths, patched below

  AppendObjectHeader(out, 0, form.name, ControlClass::Form);
  AppendProperties(out, sf::FormProperties(), form);
  PatchLength(out, ff::kFormLengthOffset);

  for (std::size_t i = 0; i < form.controls.size(); ++i) {
    const ControlModel& c = form.controls[i];
    const auto rows = sf::ControlProperties(static_cast<std::uint8_t>(c.kind));
    if (!rows) throw std::invalid_argument("not a control class: " + c.name);
    out.push_back(i == 0 ? ff::kFirstControl : ff::kAnotherControl);
    const std::size_t lengthAt = out.size();
    out.resize(out.size() + 4);
    AppendObjectHeader(out, i + 1, c.name, c.kind);
    AppendProperties(out, *rows, c);
    PatchLength(out, lengthAt);
  }
  out.push_back(ff::kNoMoreControls);
  out.push_back(ff::kEndOfForm);
  PatchLength(out, ff::kRestLengthOffset);
  return out;
}

}  // namespace mivello

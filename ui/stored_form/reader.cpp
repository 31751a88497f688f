#include "ui/stored_form/reader.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>

#include "ui/stored_form/format.h"
#include "ui/stored_form/values.h"

namespace mivello {
namespace {

namespace sf = stored_form;
namespace ff = stored_form::format;
using sf::RowInfo;
using sf::ValueKind;

std::string Hex2(int v) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%02X", static_cast<unsigned>(v));
  return buffer;
}

[[noreturn]] void FailAt(std::size_t offset, std::string expected) {
  throw FormDescriptionError(offset, std::move(expected));
}

// What a field is, for the message when the block ends inside it; the text
// is joined only then.
struct What {
  What(const char* text) : prefix(text) {}  // NOLINT: a plain text converts
  What(const char* first, std::string_view then) : prefix(first), name(then) {}
  std::string Text() const { return std::string(prefix).append(name); }
  const char* prefix;
  std::string_view name;
};

// Reads fields within [position, end) and tells the observer of each.
class Cursor {
 public:
  Cursor(std::span<const std::uint8_t> block, std::size_t position, std::size_t end,
         const FormReadObserver& observer)
      : block_(block), position_(position), end_(end), observer_(observer) {}

  std::size_t Position() const { return position_; }
  std::size_t End() const { return end_; }
  void Skip(std::size_t position) { position_ = position; }

  std::span<const std::uint8_t> Take(std::size_t count, const What& what) {
    if (count > end_ - position_)
      FailAt(position_, what.Text() + " (" + std::to_string(count) + " bytes) within the block");
    const auto bytes = block_.subspan(position_, count);
    position_ += count;
    return bytes;
  }
  std::uint8_t U8(const What& what) { return Take(1, what)[0]; }
  std::uint32_t U16(const What& what) { return sf::LittleEndian(Take(2, what)); }
  std::uint32_t U32(const What& what) { return sf::LittleEndian(Take(4, what)); }

  // The bytes from `start` to here.
  std::span<const std::uint8_t> Since(std::size_t start) const {
    return block_.subspan(start, position_ - start);
  }
  void Tell(std::size_t offset, const RowInfo& row, std::span<const std::uint8_t> bytes) const {
    if (observer_) observer_(FieldRead{offset, row, bytes});
  }
  void TellSince(std::size_t start, const RowInfo& row) const { Tell(start, row, Since(start)); }

 private:
  std::span<const std::uint8_t> block_;
  std::size_t position_;
  std::size_t end_;
  const FormReadObserver& observer_;
};

// Steps over one value of `row`'s kind and checks its framing.
void MeasureValue(Cursor& in, const RowInfo& row) {
  switch (row.kind) {
    case ValueKind::Text: {
      in.Take(in.U16("a text's byte count"), "a text's bytes");
      if (in.U8("the 0 after a text") != 0) FailAt(in.Position() - 1, "the 0 byte that ends a text");
      return;
    }
    case ValueKind::Picture: {
      const std::uint32_t framed = in.U32("a picture's length");
      const auto tag = in.Take(4, "the picture tag \"lt\" 0 0");
      if (!std::equal(tag.begin(), tag.end(), std::begin(ff::kPictureTag)))
        FailAt(in.Position() - 4, "the picture tag \"lt\" 0 0");
      const std::uint32_t length = in.U32("a picture's data length");
      if (static_cast<std::uint64_t>(length) + 8 != framed)
        FailAt(in.Position() - 4, "a data length 8 less than the picture's length " + std::to_string(framed));
      in.Take(length, "a picture's data");
      return;
    }
    case ValueKind::Colour:
      in.Take(4, "a colour");
      return;
    case ValueKind::SmallInteger:
      in.U16("a small integer");
      return;
    case ValueKind::Rectangle:
      for (int i = 0; i < 4; ++i) in.U16("a rectangle");
      return;
    case ValueKind::ClientRectangle:
      for (int i = 0; i < 4; ++i) in.U32(What("the ", row.name));
      return;
    case ValueKind::Byte:
      in.U8(What("the ", row.name));
      return;
    case ValueKind::FourBytes: {
      const std::string what = "property " + Hex2(row.code);
      in.Take(4, What(what.c_str()));
      return;
    }
    default:
      return;
  }
}

// Reads the value of `row` into `model`.
template <class Model>
void ReadProperty(Cursor& in, const sf::PropertyRow<Model>& row, Model& model) {
  const std::size_t at = in.Position();
  MeasureValue(in, row);
  std::optional<sf::Value> value = sf::Decode(row.kind, in.Since(at));
  if (!value) FailAt(at, "a text in code page 936");
  in.TellSince(at, row);
  sf::Set(model, row.field, std::move(*value));
}

template <class Model>
const sf::PropertyRow<Model>* RowOf(std::span<const sf::PropertyRow<Model>> rows, int code) {
  for (const auto& row : rows) {
    if (row.code == code) return &row;
  }
  return nullptr;
}

// Object number, name and class; returns the class.
std::uint8_t ReadObjectHeader(Cursor& in, std::size_t number, std::string& name) {
  const std::size_t at = in.Position();
  if (in.U8("an object number") != number) FailAt(at, "the object number " + std::to_string(number));
  const auto bytes = in.Take(in.U16("a name length"), "a name");
  if (in.U8("the 0 after a name") != 0) FailAt(in.Position() - 1, "the 0 byte that ends a name");
  const auto odd =
      std::find_if(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0 || b > 0x7F; });
  if (odd != bytes.end()) FailAt(at + 3 + static_cast<std::size_t>(odd - bytes.begin()), "a name in ASCII");
  name.assign(bytes.begin(), bytes.end());
  const std::uint8_t kind = in.U8("a class");
  in.TellSince(at, sf::framing::kObject);
  return kind;
}

// The properties up to the 0xFF that ends them, codes rising. Returns false
// at a code that `rows` lacks, the cursor on it.
template <class Model>
bool ReadProperties(Cursor& in, std::span<const sf::PropertyRow<Model>> rows, Model& model) {
  for (int last = -1;;) {
    const std::uint8_t code = in.U8("a property code or 0xFF");
    if (code == ff::kEndOfProperties) return true;
    if (code <= last) FailAt(in.Position() - 1, "a property code above " + Hex2(last) + " or 0xFF");
    last = code;
    const auto* row = RowOf(rows, code);
    if (row == nullptr) {
      in.Skip(in.Position() - 1);
      return false;
    }
    ReadProperty(in, *row, model);
  }
}

FormModel ReadFormRecord(Cursor& in) {
  FormModel form;
  if (ReadObjectHeader(in, 0, form.name) != static_cast<std::uint8_t>(ControlClass::Form))
    FailAt(in.Position() - 1, "the form class 13");
  if (!ReadProperties(in, sf::FormProperties(), form)) {
    // The form's record has no length to step over an unknown value by.
    std::string codes;
    for (const auto& row : sf::FormProperties()) codes += (codes.empty() ? "" : ", ") + Hex2(row.code);
    FailAt(in.Position(), "a property code of a form (" + codes + ")");
  }
  return form;
}

// One control: its length, then its record. nullopt when stepped over.
std::optional<ControlModel> ReadControl(Cursor& outer, std::span<const std::uint8_t> block,
                                        std::size_t number, const FormReadObserver& observer) {
  const std::size_t start = outer.Position();
  const std::uint32_t length = outer.U32("a control's length");
  if (length < 4 + 6 || length > outer.End() - start)
    FailAt(start, "a control length that ends within the block");
  const std::size_t end = start + length;
  outer.TellSince(start, sf::framing::kControlLength);
  Cursor in(block, outer.Position(), end, observer);
  outer.Skip(end);

  ControlModel c;
  const std::uint8_t kind = ReadObjectHeader(in, number, c.name);
  const auto rows = sf::ControlProperties(kind);
  if (!rows) {
    in.Tell(in.Position() - 1, sf::framing::kUnknownClass, in.Since(in.Position() - 1));
    return std::nullopt;
  }
  c.kind = static_cast<ControlClass>(kind);
  if (!ReadProperties(in, *rows, c)) {
    in.Tell(in.Position(), sf::framing::kUnknownProperty, block.subspan(in.Position(), 1));
    return std::nullopt;
  }
  if (in.Position() != end)
    FailAt(in.Position(), "the control's end, as its length at " + std::to_string(start) + " says");
  return c;
}

// Reads an identifier of the header and checks it against the one expected
// there, named `what` in the message.
void ReadIdentifier(Cursor& in, const RowInfo& row, const char* what, const Guid& expected,
                    const char* whose) {
  const std::size_t at = in.Position();
  in.U32(what), in.U16(what), in.U16(what), in.Take(8, what);
  const Guid id = sf::IdentifierOf(in.Since(at));
  in.TellSince(at, row);
  if (id != expected) FailAt(at, std::string(what) + " " + sf::IdentifierText(expected) + whose);
}

}  // namespace

FormDescriptionError::FormDescriptionError(std::size_t offset, std::string expected)
    : StartupError("damaged form description at offset " + std::to_string(offset) + ": expected " + expected),
      offset_(offset),
      expected_(std::move(expected)) {}

FormModel ReadFormDescription(std::span<const std::uint8_t> block, const Guid& formId,
                              const Guid& secondFormId, const FormReadObserver& observer) {
  Cursor header(block, 0, block.size(), observer);
  const auto mark = header.Take(2, "the mark FF CC");
  if (mark[0] != ff::kMark[0] || mark[1] != ff::kMark[1]) FailAt(0, "the mark FF CC");
  header.TellSince(0, sf::framing::kMark);
  if (header.U16("the header length") != ff::kHeaderLength) FailAt(2, "the header length 49");
  if (header.U8("the header tag") != ff::kHeaderTag) FailAt(4, "the header tag 0x0E");
  ReadIdentifier(header, sf::framing::kFormId, "the form identifier", formId, " of the project record");
  ReadIdentifier(header, sf::framing::kSecondFormId, "the second form identifier", secondFormId,
                 " of the project record");
  ReadIdentifier(header, sf::framing::kClassId, "the form class identifier", ff::kFormClassId, "");
  header.Take(ff::kRestLengthOffset - ff::kZerosOffset, "36 zero bytes");

  const std::uint32_t rest = header.U32("the length of the rest of the block");
  if (rest < ff::kFormRecordOffset - ff::kRestLengthOffset || rest > block.size() - ff::kRestLengthOffset) {
    FailAt(ff::kRestLengthOffset, "a length of the rest that ends within the block (" +
                                      std::to_string(block.size() - ff::kRestLengthOffset) + " bytes)");
  }
  header.Tell(ff::kRestLengthOffset, sf::framing::kRestLength, block.subspan(ff::kRestLengthOffset, 4));
  const std::size_t blockEnd = ff::kRestLengthOffset + rest;
  const std::uint32_t formLength = header.U32("the length of the form's part");
  if (formLength < 4 || formLength > blockEnd - ff::kFormLengthOffset)
    FailAt(ff::kFormLengthOffset, "a length of the form's part that ends within the block");
  header.Tell(ff::kFormLengthOffset, sf::framing::kFormLength, block.subspan(ff::kFormLengthOffset, 4));
  const std::size_t formEnd = ff::kFormLengthOffset + formLength;

  Cursor formPart(block, ff::kFormRecordOffset, formEnd, observer);
  FormModel form = ReadFormRecord(formPart);
  if (formPart.Position() != formEnd) FailAt(formPart.Position(), "the form's end, as its length at 93 says");

  Cursor in(block, formEnd, blockEnd, observer);
  for (std::size_t number = 1;; ++number) {
    const bool first = number == 1;
    const char* expected = first ? "the link byte 0x01 or 0x02" : "the link byte 0x02 or 0x03";
    const std::size_t at = in.Position();
    const std::uint8_t link = in.U8(expected);
    in.TellSince(at, sf::framing::kLink);
    if (link == ff::kNoMoreControls) break;
    if (link != (first ? ff::kFirstControl : ff::kAnotherControl)) FailAt(at, expected);
    if (auto control = ReadControl(in, block, number, observer)) form.controls.push_back(std::move(*control));
  }
  const std::size_t endAt = in.Position();
  if (in.U8("the end byte 0x04") != ff::kEndOfForm) FailAt(endAt, "the end byte 0x04");
  in.TellSince(endAt, sf::framing::kEnd);
  return form;
}

HeaderIdentifiers IdentifiersInHeader(std::span<const std::uint8_t> block) {
  if (block.size() < ff::kClassIdOffset) return {};
  return {sf::IdentifierOf(block.subspan(ff::kFormIdOffset, 16)),
          sf::IdentifierOf(block.subspan(ff::kSecondFormIdOffset, 16))};
}

FormModel ReadStoredForm(const FormTableEntry& entry) {
  return ReadFormDescription(entry.description, entry.formId, entry.secondFormId);
}

}  // namespace mivello

#include "ui/form_reader.h"

#include <cstdio>
#include <optional>
#include <utility>

#include "runtime/codepage.h"
#include "ui/form_format.h"

namespace mivello {
namespace {

namespace ff = form_format;

std::string Hex(std::uint64_t v, int digits) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "0x%0*llX", digits, static_cast<unsigned long long>(v));
  return buffer;
}

// Bytes as "01 00 42 00".
std::string Bytes(std::span<const std::uint8_t> bytes) {
  std::string out;
  for (std::uint8_t b : bytes) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X ", b);
    out += hex;
  }
  if (!out.empty()) out.pop_back();
  return out;
}

std::string GuidText(const Guid& g) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.data1, g.data2,
                g.data3, g.data4[0], g.data4[1], g.data4[2], g.data4[3], g.data4[4], g.data4[5], g.data4[6],
                g.data4[7]);
  return buffer;
}

// Reads fields within [position, end); every read is checked against `end`.
class Cursor {
 public:
  Cursor(std::span<const std::uint8_t> block, std::size_t position, std::size_t end,
         const FormReadTrace& trace)
      : block_(block), position_(position), end_(end), trace_(trace) {}

  std::size_t Position() const { return position_; }
  std::size_t End() const { return end_; }
  void Seek(std::size_t position) { position_ = position; }

  [[noreturn]] void Fail(std::string expected) const {
    throw FormDescriptionError(position_, std::move(expected));
  }

  std::span<const std::uint8_t> Take(std::size_t count, const char* what) {
    if (count > end_ - position_)
      Fail(std::string(what) + " (" + std::to_string(count) + " bytes) within the block");
    const auto bytes = block_.subspan(position_, count);
    position_ += count;
    return bytes;
  }
  std::uint8_t U8(const char* what) { return Take(1, what)[0]; }
  std::uint16_t U16(const char* what) {
    const auto b = Take(2, what);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
  }
  std::uint32_t U32(const char* what) {
    const auto b = Take(4, what);
    return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
  }
  Guid ReadGuid(const char* what) {
    Guid g;
    g.data1 = U32(what);
    g.data2 = U16(what);
    g.data3 = U16(what);
    const auto rest = Take(8, what);
    std::copy(rest.begin(), rest.end(), g.data4.begin());
    return g;
  }

  void Note(std::size_t offset, std::string_view field, const std::string& value) const {
    if (trace_) trace_(offset, field, value);
  }

 private:
  std::span<const std::uint8_t> block_;
  std::size_t position_;
  std::size_t end_;
  const FormReadTrace& trace_;
};

// Raised inside a control record for what a reader may step over.
struct UnknownContent {};

class RecordReader {
 public:
  explicit RecordReader(Cursor& in) : in_(in) {}

  String Text(const char* field) {
    const std::size_t at = in_.Position();
    const std::uint16_t count = in_.U16("a text's byte count");
    const auto bytes = in_.Take(count, "a text's bytes");
    if (in_.U8("the 0 after a text") != 0) {
      in_.Seek(in_.Position() - 1);
      in_.Fail("the 0 byte that ends a text");
    }
    String text = FromCodePage936(bytes);
    std::string quoted(1, '"');
    quoted.append(ToUtf8(text)).push_back('"');
    in_.Note(at, Label(field), quoted);
    return text;
  }
  TwipsRect Rect(const char* field) {
    const std::size_t at = in_.Position();
    TwipsRect r;
    r.left = in_.U16("a rectangle");
    r.top = in_.U16("a rectangle");
    r.width = in_.U16("a rectangle");
    r.height = in_.U16("a rectangle");
    in_.Note(at, Label(field), RectText(r));
    return r;
  }
  std::int16_t SmallInteger(const char* field) {
    const std::size_t at = in_.Position();
    const auto v = static_cast<std::int16_t>(in_.U16("a small integer"));
    in_.Note(at, Label(field), std::to_string(v));
    return v;
  }
  Colour ReadColour(const char* field) {
    const std::size_t at = in_.Position();
    const auto b = in_.Take(4, "a colour");
    Colour c{b[0], b[1], b[2]};
    in_.Note(at, Label(field), Bytes(b));
    return c;
  }
  std::vector<std::uint8_t> Picture(const char* field) {
    const std::size_t at = in_.Position();
    const std::uint32_t framed = in_.U32("a picture's length");
    const auto tag = in_.Take(4, "the picture tag \"lt\" 0 0");
    if (!std::equal(tag.begin(), tag.end(), std::begin(ff::kPictureTag))) {
      in_.Seek(in_.Position() - 4);
      in_.Fail("the picture tag \"lt\" 0 0");
    }
    const std::uint32_t length = in_.U32("a picture's data length");
    if (static_cast<std::uint64_t>(length) + 8 != framed) {
      in_.Seek(in_.Position() - 4);
      in_.Fail("a data length 8 less than the picture's length " + std::to_string(framed));
    }
    const auto data = in_.Take(length, "a picture's data");
    in_.Note(at, Label(field), std::to_string(length) + " bytes of picture data");
    return {data.begin(), data.end()};
  }

  static std::string RectText(const TwipsRect& r) {
    return std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.width) + ", " +
           std::to_string(r.height);
  }

  // Object number, name and class.
  struct Header {
    std::uint8_t number;
    std::string name;
    std::uint8_t kind;
  };
  Header ReadHeader() {
    Header h;
    const std::size_t at = in_.Position();
    h.number = in_.U8("an object number");
    const std::uint16_t length = in_.U16("a name length");
    const auto name = in_.Take(length, "a name");
    h.name.assign(name.begin(), name.end());
    if (in_.U8("the 0 after a name") != 0) {
      in_.Seek(in_.Position() - 1);
      in_.Fail("the 0 byte that ends a name");
    }
    h.kind = in_.U8("a class");
    in_.Note(at, "object", std::to_string(h.number) + " " + h.name + ", class " + std::to_string(h.kind));
    return h;
  }

  // The next property code, or nullopt at the 0xFF that ends the properties.
  // Codes must rise within a record.
  std::optional<std::uint8_t> NextCode() {
    const std::uint8_t code = in_.U8("a property code or 0xFF");
    if (code == ff::kEndOfProperties) return std::nullopt;
    if (code <= lastCode_) {
      in_.Seek(in_.Position() - 1);
      in_.Fail("a property code above " + Hex(lastCode_, 2) + " or 0xFF");
    }
    lastCode_ = code;
    return code;
  }

  Cursor& In() { return in_; }

  // A property's name for the trace, with its code: "0x01 caption".
  std::string Label(std::string_view field) const {
    return Hex(static_cast<std::uint64_t>(lastCode_), 2) + " " + std::string(field);
  }

 private:
  Cursor& in_;
  int lastCode_ = -1;
};

FormModel ReadFormRecord(Cursor& in) {
  RecordReader r(in);
  const auto header = r.ReadHeader();
  if (header.kind != static_cast<std::uint8_t>(ControlClass::Form)) {
    in.Seek(in.Position() - 1);
    in.Fail("the form class 13");
  }
  FormModel form;
  form.name = header.name;
  while (const auto code = r.NextCode()) {
    const std::size_t at = in.Position();
    switch (*code) {
      case ff::form::kCaption:
        form.caption = r.Text("caption");
        break;
      case ff::form::kProperty19: {
        const auto b = in.Take(4, "property 0x19");
        std::copy(b.begin(), b.end(), form.property19.begin());
        in.Note(at, r.Label("meaning unknown"), Bytes(b));
        break;
      }
      case ff::form::kIcon:
        form.icon = r.Picture("icon");
        break;
      case ff::form::kLinkTopic:
        form.linkTopic = r.Text("link topic");
        break;
      case ff::form::kClientRect:
        form.clientRect.left = static_cast<std::int32_t>(in.U32("the client rectangle"));
        form.clientRect.top = static_cast<std::int32_t>(in.U32("the client rectangle"));
        form.clientRect.width = static_cast<std::int32_t>(in.U32("the client rectangle"));
        form.clientRect.height = static_cast<std::int32_t>(in.U32("the client rectangle"));
        in.Note(at, r.Label("client rectangle"), RecordReader::RectText(form.clientRect));
        break;
      case ff::form::kStartUpPosition:
        form.startUpPosition = in.U8("the start-up position");
        in.Note(at, r.Label("start-up position"), std::to_string(form.startUpPosition));
        break;
      default:
        // The form's record has no length to step over an unknown value by.
        in.Seek(at - 1);
        in.Fail("a property code of a form (0x01, 0x19, 0x23, 0x24, 0x35, 0x46)");
    }
  }
  return form;
}

void ReadProperty(RecordReader& r, ControlModel& c, std::uint8_t code) {
  Cursor& in = r.In();
  switch (c.kind) {
    case ControlClass::Label:
      switch (code) {
        case ff::label::kCaption:
          c.caption = r.Text("caption");
          return;
        case ff::label::kForeColour:
          c.foreColour = r.ReadColour("text colour");
          return;
        case ff::label::kRect:
          c.rect = r.Rect("rectangle");
          return;
        case ff::label::kTabIndex:
          c.tabIndex = r.SmallInteger("tab index");
          return;
        case ff::label::kToolTip:
          c.toolTip = r.Text("tooltip");
          return;
      }
      break;
    case ControlClass::TextBox:
      switch (code) {
        case ff::text_box::kRect:
          c.rect = r.Rect("rectangle");
          return;
        case ff::text_box::kTabIndex:
          c.tabIndex = r.SmallInteger("tab index");
          return;
      }
      break;
    case ControlClass::CommandButton:
      switch (code) {
        case ff::button::kCaption:
          c.caption = r.Text("caption");
          return;
        case ff::button::kRect:
          c.rect = r.Rect("rectangle");
          return;
        case ff::button::kTabIndex:
          c.tabIndex = r.SmallInteger("tab index");
          return;
      }
      break;
    case ControlClass::Picture:
      switch (code) {
        case ff::picture::kPicture:
          c.picture = r.Picture("picture");
          return;
        case ff::picture::kRect:
          c.rect = r.Rect("rectangle");
          return;
        case ff::picture::kToolTip:
          c.toolTip = r.Text("tooltip");
          return;
      }
      break;
    case ControlClass::Form:
      break;
  }
  in.Note(in.Position() - 1, "unknown property", Hex(code, 2) + ": the control is stepped over");
  throw UnknownContent{};
}

bool KnownControlClass(std::uint8_t kind) {
  return kind == static_cast<std::uint8_t>(ControlClass::Label) ||
         kind == static_cast<std::uint8_t>(ControlClass::TextBox) ||
         kind == static_cast<std::uint8_t>(ControlClass::CommandButton) ||
         kind == static_cast<std::uint8_t>(ControlClass::Picture);
}

// One control: its length, then its record. nullopt when stepped over.
std::optional<ControlModel> ReadControl(Cursor& outer, std::span<const std::uint8_t> block,
                                        const FormReadTrace& trace) {
  const std::size_t start = outer.Position();
  const std::uint32_t length = outer.U32("a control's length");
  if (length < 4 + 6 || length > outer.End() - start) {
    outer.Seek(start);
    outer.Fail("a control length that ends within the block");
  }
  const std::size_t end = start + length;
  outer.Note(start, "control length", std::to_string(length));
  Cursor in(block, outer.Position(), end, trace);
  outer.Seek(end);

  RecordReader r(in);
  const auto header = r.ReadHeader();
  if (!KnownControlClass(header.kind)) {
    in.Note(in.Position() - 1, "unknown class",
            std::to_string(header.kind) + ": the control is stepped over");
    return std::nullopt;
  }
  ControlModel c;
  c.name = header.name;
  c.kind = static_cast<ControlClass>(header.kind);
  try {
    while (const auto code = r.NextCode()) ReadProperty(r, c, *code);
  } catch (const UnknownContent&) {
    return std::nullopt;
  }
  if (in.Position() != end) in.Fail("the control's end, as its length at " + std::to_string(start) + " says");
  return c;
}

}  // namespace

FormDescriptionError::FormDescriptionError(std::size_t offset, std::string expected)
    : StartupError("damaged form description at offset " + std::to_string(offset) + ": expected " + expected),
      offset_(offset),
      expected_(std::move(expected)) {}

FormModel ReadFormDescription(std::span<const std::uint8_t> block, const Guid& formId,
                              const Guid& secondFormId, const FormReadTrace& trace) {
  Cursor header(block, 0, block.size(), trace);
  const auto mark = header.Take(2, "the mark FF CC");
  if (mark[0] != ff::kMark[0] || mark[1] != ff::kMark[1]) {
    header.Seek(0);
    header.Fail("the mark FF CC");
  }
  header.Note(0, "mark", "FF CC");
  if (header.U16("the header length") != ff::kHeaderLength) {
    header.Seek(2);
    header.Fail("the header length 49");
  }
  if (header.U8("the header tag") != ff::kHeaderTag) {
    header.Seek(4);
    header.Fail("the header tag 0x0E");
  }
  const Guid id = header.ReadGuid("the form identifier");
  header.Note(ff::kFormIdOffset, "form identifier", GuidText(id));
  const Guid second = header.ReadGuid("the second form identifier");
  header.Note(ff::kSecondFormIdOffset, "second form identifier", GuidText(second));
  const Guid cls = header.ReadGuid("the form class identifier");
  header.Note(ff::kClassIdOffset, "class identifier", GuidText(cls));
  if (id != formId) {
    header.Seek(ff::kFormIdOffset);
    header.Fail("the form identifier " + GuidText(formId) + " of the project record");
  }
  if (second != secondFormId) {
    header.Seek(ff::kSecondFormIdOffset);
    header.Fail("the second form identifier " + GuidText(secondFormId) + " of the project record");
  }
  if (cls != ff::kFormClassId) {
    header.Seek(ff::kClassIdOffset);
    header.Fail("the form class identifier " + GuidText(ff::kFormClassId));
  }
  header.Take(ff::kRestLengthOffset - ff::kZerosOffset, "36 zero bytes");

  const std::uint32_t rest = header.U32("the length of the rest of the block");
  if (rest < ff::kFormRecordOffset - ff::kRestLengthOffset || rest > block.size() - ff::kRestLengthOffset) {
    header.Seek(ff::kRestLengthOffset);
    header.Fail("a length of the rest that ends within the block (" +
                std::to_string(block.size() - ff::kRestLengthOffset) + " bytes)");
  }
  header.Note(ff::kRestLengthOffset, "rest length", std::to_string(rest));
  const std::size_t blockEnd = ff::kRestLengthOffset + rest;
  const std::uint32_t formLength = header.U32("the length of the form's part");
  if (formLength < 4 || formLength > blockEnd - ff::kFormLengthOffset) {
    header.Seek(ff::kFormLengthOffset);
    header.Fail("a length of the form's part that ends within the block");
  }
  header.Note(ff::kFormLengthOffset, "form length", std::to_string(formLength));
  const std::size_t formEnd = ff::kFormLengthOffset + formLength;

  Cursor formPart(block, ff::kFormRecordOffset, formEnd, trace);
  FormModel form = ReadFormRecord(formPart);
  if (formPart.Position() != formEnd) formPart.Fail("the form's end, as its length at 93 says");

  Cursor in(block, formEnd, blockEnd, trace);
  for (bool first = true;; first = false) {
    const std::size_t at = in.Position();
    const std::uint8_t link = in.U8(first ? "the link byte 0x01 or 0x02" : "the link byte 0x02 or 0x03");
    in.Note(at, "link", Hex(link, 2));
    if (link == ff::kNoMoreControls) break;
    if (link != (first ? ff::kFirstControl : ff::kAnotherControl)) {
      in.Seek(at);
      in.Fail(first ? "the link byte 0x01 or 0x02" : "the link byte 0x02 or 0x03");
    }
    if (auto control = ReadControl(in, block, trace)) form.controls.push_back(std::move(*control));
  }
  const std::size_t endAt = in.Position();
  if (in.U8("the end byte 0x04") != ff::kEndOfForm) {
    in.Seek(endAt);
    in.Fail("the end byte 0x04");
  }
  in.Note(endAt, "end", "04");
  return form;
}

HeaderIdentifiers IdentifiersInHeader(std::span<const std::uint8_t> block) {
  if (block.size() < ff::kClassIdOffset) return {};
  const FormReadTrace none;
  Cursor in(block, ff::kFormIdOffset, ff::kClassIdOffset, none);
  HeaderIdentifiers ids;
  ids.formId = in.ReadGuid("the form identifier");
  ids.secondFormId = in.ReadGuid("the second form identifier");
  return ids;
}

FormModel LoadStoredForm(const FormTableEntry& entry) {
  return ReadFormDescription(entry.description, entry.formId, entry.secondFormId);
}

}  // namespace mivello

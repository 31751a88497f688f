#include "ui/form_writer.h"

#include <limits>
#include <string>

#include "runtime/codepage.h"
#include "ui/form_format.h"

namespace mivello {
namespace {

namespace ff = form_format;

class Bytes {
 public:
  void U8(std::uint8_t v) { out_.push_back(v); }
  void U16(std::int64_t v, const char* what) {
    Check(v, 0, 0xFFFF, what);
    U8(static_cast<std::uint8_t>(v));
    U8(static_cast<std::uint8_t>(v >> 8));
  }
  void U32(std::int64_t v, const char* what) {
    Check(v, 0, 0xFFFFFFFF, what);
    for (int shift = 0; shift < 32; shift += 8) U8(static_cast<std::uint8_t>(v >> shift));
  }
  void Raw(const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    out_.insert(out_.end(), p, p + size);
  }
  void Guid(const mivello::Guid& g) {
    U32(g.data1, "identifier");
    U16(g.data2, "identifier");
    U16(g.data3, "identifier");
    Raw(g.data4.data(), g.data4.size());
  }
  // Writes a 4-byte length at `at`, counting from `at` to the current end.
  void PatchLength(std::size_t at) {
    const std::size_t length = out_.size() - at;
    for (int i = 0; i < 4; ++i)
      out_[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(length >> (8 * i));
  }
  std::size_t Size() const { return out_.size(); }
  std::vector<std::uint8_t> Take() { return std::move(out_); }

 private:
  static void Check(std::int64_t v, std::int64_t low, std::int64_t high, const char* what) {
    if (v < low || v > high)
      throw std::invalid_argument(std::string(what) + " out of range: " + std::to_string(v));
  }
  std::vector<std::uint8_t> out_;
};

class RecordWriter {
 public:
  explicit RecordWriter(Bytes& out) : out_(out) {}

  void Header(std::uint8_t number, const std::string& name, ControlClass kind) {
    out_.U8(number);
    out_.U16(static_cast<std::int64_t>(name.size()), "name length");
    for (char c : name) {
      if (static_cast<unsigned char>(c) > 0x7F || c == '\0')
        throw std::invalid_argument("name not plain ASCII: " + name);
    }
    out_.Raw(name.data(), name.size());
    out_.U8(0);
    out_.U8(static_cast<std::uint8_t>(kind));
  }
  void Text(std::uint8_t code, const String& text) {
    const auto bytes = ToCodePage936(text);
    if (!bytes) throw std::invalid_argument("text without a code page 936 encoding: " + ToUtf8(text));
    out_.U8(code);
    out_.U16(static_cast<std::int64_t>(bytes->size()), "text length");
    out_.Raw(bytes->data(), bytes->size());
    out_.U8(0);
  }
  void Colour(std::uint8_t code, const mivello::Colour& c) {
    out_.U8(code);
    for (std::uint8_t v : {c.red, c.green, c.blue, std::uint8_t{0}}) out_.U8(v);
  }
  void SmallInteger(std::uint8_t code, std::int64_t v) {
    out_.U8(code);
    out_.U16(v, "small integer");
  }
  void Rect(std::uint8_t code, const TwipsRect& r) {
    out_.U8(code);
    for (std::int32_t v : {r.left, r.top, r.width, r.height}) out_.U16(v, "rectangle value");
  }
  void Picture(std::uint8_t code, const std::vector<std::uint8_t>& data) {
    out_.U8(code);
    out_.U32(static_cast<std::int64_t>(data.size()) + 8, "picture length");
    out_.Raw(ff::kPictureTag, sizeof ff::kPictureTag);
    out_.U32(static_cast<std::int64_t>(data.size()), "picture length");
    out_.Raw(data.data(), data.size());
  }
  void End() { out_.U8(ff::kEndOfProperties); }

 private:
  Bytes& out_;
};

void WriteFormRecord(RecordWriter& w, Bytes& out, const FormModel& form) {
  w.Header(0, form.name, ControlClass::Form);
  w.Text(ff::form::kCaption, form.caption);
  out.U8(ff::form::kProperty19);
  out.Raw(form.property19.data(), form.property19.size());
  if (!form.icon.empty()) w.Picture(ff::form::kIcon, form.icon);
  w.Text(ff::form::kLinkTopic, form.linkTopic);
  out.U8(ff::form::kClientRect);
  for (std::int32_t v :
       {form.clientRect.left, form.clientRect.top, form.clientRect.width, form.clientRect.height}) {
    out.U32(v, "client rectangle value");
  }
  out.U8(ff::form::kStartUpPosition);
  out.U8(form.startUpPosition);
  w.End();
}

// Properties in rising code order; those at their default are left out.
void WriteControlRecord(RecordWriter& w, const ControlModel& c, std::uint8_t number) {
  w.Header(number, c.name, c.kind);
  switch (c.kind) {
    case ControlClass::Label:
      w.Text(ff::label::kCaption, c.caption);
      if (c.foreColour) w.Colour(ff::label::kForeColour, *c.foreColour);
      w.Rect(ff::label::kRect, c.rect);
      if (c.tabIndex) w.SmallInteger(ff::label::kTabIndex, *c.tabIndex);
      if (!c.toolTip.empty()) w.Text(ff::label::kToolTip, c.toolTip);
      break;
    case ControlClass::TextBox:
      w.Rect(ff::text_box::kRect, c.rect);
      if (c.tabIndex) w.SmallInteger(ff::text_box::kTabIndex, *c.tabIndex);
      break;
    case ControlClass::CommandButton:
      w.Text(ff::button::kCaption, c.caption);
      w.Rect(ff::button::kRect, c.rect);
      if (c.tabIndex) w.SmallInteger(ff::button::kTabIndex, *c.tabIndex);
      break;
    case ControlClass::Picture:
      if (!c.picture.empty()) w.Picture(ff::picture::kPicture, c.picture);
      w.Rect(ff::picture::kRect, c.rect);
      if (!c.toolTip.empty()) w.Text(ff::picture::kToolTip, c.toolTip);
      break;
    case ControlClass::Form:
      throw std::invalid_argument("a form cannot be a control: " + c.name);
  }
  w.End();
}

}  // namespace

std::vector<std::uint8_t> WriteFormDescription(const FormModel& form, const Guid& formId,
                                               const Guid& secondFormId) {
  if (form.controls.size() > 0xFE) throw std::invalid_argument("more controls than object numbers");
  Bytes out;
  out.Raw(ff::kMark, sizeof ff::kMark);
  out.U16(ff::kHeaderLength, "header length");
  out.U8(ff::kHeaderTag);
  out.Guid(formId);
  out.Guid(secondFormId);
  out.Guid(ff::kFormClassId);
  for (std::size_t i = ff::kZerosOffset; i < ff::kRestLengthOffset; ++i) out.U8(0);
  out.U32(0, "length");  // the rest of the block, patched at the end
  out.U32(0, "length");  // the form's own part, patched after its record

  RecordWriter w(out);
  WriteFormRecord(w, out, form);
  out.PatchLength(ff::kFormLengthOffset);

  for (std::size_t i = 0; i < form.controls.size(); ++i) {
    out.U8(i == 0 ? ff::kFirstControl : ff::kAnotherControl);
    const std::size_t lengthAt = out.Size();
    out.U32(0, "length");
    WriteControlRecord(w, form.controls[i], static_cast<std::uint8_t>(i + 1));
    out.PatchLength(lengthAt);
  }
  out.U8(ff::kNoMoreControls);
  out.U8(ff::kEndOfForm);
  out.PatchLength(ff::kRestLengthOffset);
  return out.Take();
}

}  // namespace mivello

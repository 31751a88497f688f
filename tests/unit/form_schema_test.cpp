// The stored form's schema: one value through every row of every class comes
// back from the block as it went in, and what the reader refuses that the
// writer would never write.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/stored_form/reader.h"
#include "ui/stored_form/schema.h"
#include "ui/stored_form/values.h"
#include "ui/stored_form/writer.h"

namespace mivello {
namespace {

namespace sf = stored_form;

constexpr Guid kId{0x01234567, 0x89AB, 0xCDEF, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};

// A value of `kind` away from its default, with bytes that look like the
// framing (0xFF, 0x00) inside.
sf::Value SampleOf(sf::ValueKind kind) {
  switch (kind) {
    case sf::ValueKind::Text:
      return String(u"计算－x");
    case sf::ValueKind::Colour:
      return std::optional<Colour>(Colour{0xFF, 0x00, 0x01});
    case sf::ValueKind::SmallInteger:
      return std::optional<std::int16_t>(-2);  // stored as FE FF
    case sf::ValueKind::Byte:
      return std::uint8_t{0xFF};
    case sf::ValueKind::Rectangle:
      return TwipsRect{0, 0xFF, 65535, 7050};
    case sf::ValueKind::ClientRectangle:
      return TwipsRect{-1, 450, 7050, 0x7FFFFFFF};
    case sf::ValueKind::Picture:
      return std::vector<std::uint8_t>{'G', 'I', 'F', 0xFF, 0x02, 0x04, 0xFF};
    case sf::ValueKind::FourBytes:
      return std::array<std::uint8_t, 4>{0x01, 0xFF, 0x42, 0x00};
    default:
      ADD_FAILURE() << "no sample for a framing kind";
      return String();
  }
}

FormModel BareForm() {
  FormModel form;
  form.name = "Form1";
  return form;
}

TEST(FormSchema, EveryFormRowRoundTripsAlone) {
  for (const sf::FormRow& row : sf::FormProperties()) {
    SCOPED_TRACE(std::string(row.name));
    FormModel form = BareForm();
    sf::Set(form, row.field, SampleOf(row.kind));
    const auto block = WriteFormDescription(form, kId, kId);
    EXPECT_EQ(ReadFormDescription(block, kId, kId), form);
  }
}

TEST(FormSchema, EveryControlRowRoundTripsAlone) {
  for (ControlClass kind :
       {ControlClass::Label, ControlClass::TextBox, ControlClass::CommandButton, ControlClass::Picture}) {
    const auto rows = sf::ControlProperties(static_cast<std::uint8_t>(kind));
    ASSERT_TRUE(rows.has_value());
    for (const sf::ControlRow& row : *rows) {
      SCOPED_TRACE(std::to_string(static_cast<int>(kind)) + " " + std::string(row.name));
      FormModel form = BareForm();
      ControlModel c;
      c.name = "Control1";
      c.kind = kind;
      sf::Set(c, row.field, SampleOf(row.kind));
      form.controls = {c, c};
      form.controls[1].name = "Control2";
      const auto block = WriteFormDescription(form, kId, kId);
      EXPECT_EQ(ReadFormDescription(block, kId, kId), form);
    }
  }
}

TEST(FormSchema, AllRowsAtOnceAndInTheirOrder) {
  FormModel form = BareForm();
  for (const sf::FormRow& row : sf::FormProperties()) sf::Set(form, row.field, SampleOf(row.kind));
  std::vector<std::size_t> codesSeen;
  const auto block = WriteFormDescription(form, kId, kId);
  const FormModel read = ReadFormDescription(block, kId, kId, [&](const FieldRead& field) {
    if (field.row.code != sf::kFraming) codesSeen.push_back(static_cast<std::size_t>(field.row.code));
  });
  EXPECT_EQ(read, form);
  std::vector<std::size_t> schemaCodes;
  for (const sf::FormRow& row : sf::FormProperties())
    schemaCodes.push_back(static_cast<std::size_t>(row.code));
  EXPECT_EQ(codesSeen, schemaCodes);
}

TEST(FormSchema, TheObserverSeesEveryByteOfAValue) {
  FormModel form = BareForm();
  form.caption = u"Hi";
  const auto block = WriteFormDescription(form, kId, kId);
  std::vector<std::uint8_t> caption;
  std::size_t offset = 0;
  ReadFormDescription(block, kId, kId, [&](const FieldRead& field) {
    if (field.row.code == 0x01) caption.assign(field.bytes.begin(), field.bytes.end()), offset = field.offset;
  });
  EXPECT_EQ(offset, 108u);  // after the form's header and the code
  EXPECT_EQ(caption, (std::vector<std::uint8_t>{0x02, 0x00, 'H', 'i', 0x00}));
}

TEST(FormSchema, AClassTheRuntimeLacksHasNoRows) {
  EXPECT_FALSE(sf::ControlProperties(99).has_value());
  EXPECT_FALSE(sf::ControlProperties(static_cast<std::uint8_t>(ControlClass::Form)).has_value());
}

TEST(FormSchema, TheWriterRefusesWhatTheFormatCannotHold) {
  FormModel form = BareForm();
  form.caption = u"\U0001F600";  // no code page 936 encoding
  EXPECT_THROW(WriteFormDescription(form, kId, kId), std::invalid_argument);
  form = BareForm();
  form.controls.push_back({"Label1", ControlClass::Label, u"", {-1, 0, 10, 10}, {}, {}, {}, {}});
  EXPECT_THROW(WriteFormDescription(form, kId, kId), std::invalid_argument);
  form = BareForm();
  form.name = "Förm";
  EXPECT_THROW(WriteFormDescription(form, kId, kId), std::invalid_argument);
}

// What the writer never writes, the reader takes for damage, so that all it
// reads it could also write.
struct Refused {
  const char* proves;
  std::size_t at;
  std::uint8_t value;
  std::size_t offset;
};

void PrintTo(const Refused& r, std::ostream* os) { *os << r.proves; }

class RefusedBlock : public testing::TestWithParam<Refused> {};

TEST_P(RefusedBlock, IsAnErrorNamingTheOffset) {
  FormModel form = BareForm();
  form.caption = u"Hi";
  form.controls.push_back({"Label1", ControlClass::Label, u"ab", {1, 2, 3, 4}, {}, {}, {}, {}});
  auto block = WriteFormDescription(form, kId, kId);
  block[GetParam().at] = GetParam().value;
  try {
    ReadFormDescription(block, kId, kId);
    FAIL() << "read without error";
  } catch (const FormDescriptionError& e) {
    EXPECT_EQ(e.Offset(), GetParam().offset) << e.what();
  }
}

// The form's record starts at 97 ("Form1" at 100); its caption's bytes at 110;
// Label1's object number at 119, after the link byte and its length.
INSTANTIATE_TEST_SUITE_P(Cases, RefusedBlock,
                         testing::Values(Refused{"the form's object number not 0", 97, 1, 97},
                                         Refused{"a name byte outside ASCII", 101, 0xE4, 101},
                                         Refused{"a 0 inside a name", 102, 0x00, 102},
                                         Refused{"a text that is no code page 936", 111, 0x81, 108},
                                         Refused{"a control numbered out of order", 119, 2, 119}));

}  // namespace
}  // namespace mivello

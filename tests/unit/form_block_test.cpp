// The stored form description: a hand-written block, the real Form1 block,
// and damaged blocks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/project_record.h"
#include "runtime/headless/headless_backend.h"
#include "runtime/startup/run_project.h"
#include "tests/expected/expected_values.h"
#include "ui/form1/content.h"
#include "ui/form1/ids.h"
#include "ui/stored_form/reader.h"
#include "ui/stored_form/writer.h"

namespace mivello {
namespace {

// {01234567-89AB-CDEF-0123-456789ABCDEF} and {11111111-1111-1111-1111-111111111111}
constexpr Guid kIdA{0x01234567, 0x89AB, 0xCDEF, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};
constexpr Guid kIdB{0x11111111, 0x1111, 0x1111, {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11}};

// A form "Form1" captioned "Hi" with one button "计算": 188 bytes.
const std::vector<std::uint8_t> kSmallBlock = {
    0xFF, 0xCC,                                      // 0: mark
    0x31, 0x00,                                      // 2: header length 49
    0x0E,                                            // 4: header tag
    0x67, 0x45, 0x23, 0x01, 0xAB, 0x89, 0xEF, 0xCD,  // 5: form identifier, first three fields little-endian
    0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF,  //
    0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11,  // 21: second form identifier
    0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11,  //
    0x3A, 0x4F, 0xAD, 0x33, 0x99, 0x66, 0xCF, 0x11,  // 37: form class {33AD4F3A-6699-11CF-B70C-00AA0060D393}
    0xB7, 0x0C, 0x00, 0xAA, 0x00, 0x60, 0xD3, 0x93,  //
    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,   0,    0,  // 53: 36 zero bytes
    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,   0,    0,  //
    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,   0,    0,  //
    0x63, 0x00, 0x00, 0x00,                                              // 89: 99 bytes from here to the end
    0x36, 0x00, 0x00, 0x00,                                // 93: 54 bytes from here to after the form's 0xFF
    0x00,                                                  // 97: object number 0, the form
    0x05, 0x00, 'F',  'o',  'r',  'm',  '1',  0x00,        //     name "Form1" and its 0
    0x0D,                                                  //     class 13, form
    0x01, 0x02, 0x00, 'H',  'i',  0x00,                    //     0x01 caption: 2 bytes, "Hi", 0
    0x19, 0x01, 0x00, 0x42, 0x00,                          //     0x19: 01 00 42 00
    0x24, 0x05, 0x00, 'F',  'o',  'r',  'm',  '1',  0x00,  //     0x24 link topic "Form1"
    0x35, 0x78, 0x00, 0x00, 0x00, 0xC2, 0x01, 0x00, 0x00,  // 0x35 client rectangle: 120, 450,
    0x8A, 0x1B, 0x00, 0x00, 0x35, 0x07, 0x00, 0x00,        //     7050, 1845
    0x46, 0x03,                                            //     0x46 start-up position 3
    0xFF,                                                  // 146: end of the form's properties
    0x01,                                                  // 147: the first control follows
    0x26, 0x00, 0x00, 0x00,                                // 148: 38 bytes from here to after its 0xFF
    0x01,                                                  //      object number 1
    0x08, 0x00, 'C',  'o',  'm',  'm',  'a',  'n',  'd',  '1', 0x00,  // name "Command1"
    0x04,                                                             //      class 4, command button
    0x01, 0x04, 0x00, 0xBC, 0xC6, 0xCB, 0xE3, 0x00,        //      0x01 caption "计算" in code page 936
    0x04, 0xC0, 0x12, 0x68, 0x01, 0xCF, 0x03, 0x77, 0x01,  //  0x04 rectangle 4800, 360, 975, 375
    0x11, 0x00, 0x00,                                      //      0x11 tab index 0
    0xFF,                                                  // 185: end of the button's properties
    0x02,                                                  // 186: no more controls
    0x04,                                                  // 187: end of the form and the block
};

FormModel SmallForm() {
  FormModel form;
  form.name = "Form1";
  form.caption = u"Hi";
  form.property19 = {0x01, 0x00, 0x42, 0x00};
  form.linkTopic = u"Form1";
  form.clientRect = {120, 450, 7050, 1845};
  form.startUpPosition = 3;
  form.controls.push_back(
      {"Command1", ControlClass::CommandButton, u"计算", {4800, 360, 975, 375}, 0, {}, {}, {}});
  return form;
}

TEST(FormBlock, ReadsTheHandWrittenBlock) {
  ASSERT_EQ(kSmallBlock.size(), 188u);
  EXPECT_EQ(ReadFormDescription(kSmallBlock, kIdA, kIdB), SmallForm());
}

TEST(FormBlock, WritesTheHandWrittenBlockByteForByte) {
  EXPECT_EQ(WriteFormDescription(SmallForm(), kIdA, kIdB), kSmallBlock);
}

// Every property code of every class that the small block lacks, and the
// picture framing, written out by hand: a form "F" with an icon, then a
// label, a text box and a picture.
std::vector<std::uint8_t> EveryCodeBlock() {
  std::vector<std::uint8_t> block(kSmallBlock.begin(), kSmallBlock.begin() + 89);  // 0: header as above
  const std::vector<std::uint8_t> rest = {
      0x8B, 0x00, 0x00, 0x00,                          // 89: 139 bytes from here to the end
      0x1C, 0x00, 0x00, 0x00,                          // 93: 28 bytes from here to after the form's 0xFF
      0x00, 0x01, 0x00, 'F',  0x00, 0x0D,              // 97: object 0, name "F", class 13
      0x23, 0x0C, 0x00, 0x00, 0x00,                    // 103: 0x23 icon: 12 bytes follow,
      'l',  't',  0x00, 0x00, 0x04, 0x00, 0x00, 0x00,  //      the tag "lt\0\0", the file's 4 bytes,
      0x00, 0x00, 0x01, 0x00,                          //      the file
      0xFF,                                            // 120: end of the form's properties
      0x01,                                            // 121: the first control follows
      0x26, 0x00, 0x00, 0x00,                          // 122: 38 bytes from here to after its 0xFF
      0x01, 0x01, 0x00, 'L',  0x00, 0x01,              //      object 1, name "L", class 1, label
      0x01, 0x01, 0x00, 'A',  0x00,                    //      0x01 caption "A"
      0x04, 0xFF, 0x00, 0x00, 0x00,                    //      0x04 text colour: red, green, blue, 0
      0x05, 0x0F, 0x00, 0x1E, 0x00, 0x2D, 0x00, 0x3C, 0x00,  // 0x05 rectangle 15, 30, 45, 60
      0x12, 0x02, 0x00,                                      //      0x12 tab index 2
      0x2A, 0x01, 0x00, 'B',  0x00,                          //      0x2A tooltip "B"
      0xFF,                                                  // 159: end of the label's properties
      0x03,                                                  // 160: another control follows
      0x17, 0x00, 0x00, 0x00,                                // 161: 23 bytes from here to after its 0xFF
      0x02, 0x01, 0x00, 'T',  0x00, 0x02,                    //      object 2, name "T", class 2, text box
      0x04, 0x01, 0x00, 0x02, 0x00, 0x03, 0x00, 0x04, 0x00,  // 0x04 rectangle 1, 2, 3, 4
      0x12, 0x01, 0x00,                                      //      0x12 tab index 1
      0xFF,                                                  // 183: end of the text box's properties
      0x03,                                                  // 184: another control follows
      0x29, 0x00, 0x00, 0x00,                                // 185: 41 bytes from here to after its 0xFF
      0x03, 0x01, 0x00, 'P',  0x00, 0x18,                    //      object 3, name "P", class 24, picture
      0x02, 0x0B, 0x00, 0x00, 0x00,                          //      0x02 picture: 11 bytes follow,
      'l',  't',  0x00, 0x00, 0x03, 0x00, 0x00, 0x00,        //      the tag, the file's 3 bytes,
      'G',  'I',  'F',                                       //      the file
      0x03, 0x05, 0x00, 0x06, 0x00, 0x07, 0x00, 0x08, 0x00,  // 0x03 rectangle 5, 6, 7, 8
      0x17, 0x01, 0x00, 'C',  0x00,                          //      0x17 tooltip "C"
      0xFF,                                                  // 225: end of the picture's properties
      0x02,                                                  // 226: no more controls
      0x04,                                                  // 227: end of the form and the block
  };
  block.insert(block.end(), rest.begin(), rest.end());
  return block;
}

FormModel EveryCodeForm() {
  FormModel form;
  form.name = "F";
  form.icon = {0x00, 0x00, 0x01, 0x00};
  form.controls = {
      {"L", ControlClass::Label, u"A", {15, 30, 45, 60}, 2, u"B", Colour{0xFF, 0, 0}, {}},
      {"T", ControlClass::TextBox, u"", {1, 2, 3, 4}, 1, u"", {}, {}},
      {"P", ControlClass::Picture, u"", {5, 6, 7, 8}, {}, u"C", {}, {'G', 'I', 'F'}},
  };
  return form;
}

// A code or framing changed in the schema the writer and the reader share
// passes a round trip; this block, written by hand, catches it both ways.
TEST(FormBlock, EveryPropertyCodeAndThePictureFramingAreAsStored) {
  ASSERT_EQ(EveryCodeBlock().size(), 228u);
  EXPECT_EQ(WriteFormDescription(EveryCodeForm(), kIdA, kIdB), EveryCodeBlock());
  EXPECT_EQ(ReadFormDescription(EveryCodeBlock(), kIdA, kIdB), EveryCodeForm());
}

FormModel Form1() {
  static const std::vector<std::uint8_t> icon{0, 0, 1, 0, 0xFF, 0xFF};
  static const std::vector<std::uint8_t> gif1{'G', 'I', 'F', 0xFF, 0x02, 0xFF};
  static const std::vector<std::uint8_t> gif2{'G', 'I', 'F', 0x04, 0xFF};
  return Form1Content({icon, gif1, gif2});
}

TEST(FormBlock, Form1RoundTripsThroughItsBlock) {
  const FormModel content = Form1();
  const auto block = WriteFormDescription(content, kForm1Id, kForm1SecondId);
  EXPECT_EQ(ReadFormDescription(block, kForm1Id, kForm1SecondId), content);
}

bool Contains(const std::vector<std::uint8_t>& block, std::vector<std::uint8_t> bytes) {
  return std::search(block.begin(), block.end(), bytes.begin(), bytes.end()) != block.end();
}

TEST(FormBlock, Form1TextsAreStoredInCodePage936) {
  const auto block = WriteFormDescription(Form1(), kForm1Id, kForm1SecondId);
  EXPECT_TRUE(Contains(block, {0x01, 0x04, 0x00, 0xBC, 0xC6, 0xCB, 0xE3, 0x00}));           // "计算"
  EXPECT_TRUE(Contains(block, {'M', 'i', 'v', 'e', 'l', 'l', 'o', 0xA3, 0xAD, 'B', 'Y'}));  // "－"
  EXPECT_TRUE(Contains(block, {0x04, 0xFF, 0x00, 0x00, 0x00}));                             // Label1's red
}

TEST(FormBlock, TheEmbeddedBlockIsForm1WithItsPictures) {
  const FormTableEntry& entry = MivelloProject().forms.front();
  const FormModel form = MivelloProject().readForm(entry);
  EXPECT_EQ(ToUtf8(form.caption), expected::caption);
  ASSERT_EQ(form.controls.size(), 14u);
  EXPECT_EQ(form.controls.front().name, "Command2");
  EXPECT_EQ(form.controls.back().name, "Label1");
  EXPECT_EQ(form.controls[6].picture.size() > 100, true);  // Image2
  EXPECT_EQ(form.icon.size() > 1000, true);
}

// Damaged blocks: each case edits the small block and names what is expected.
struct Damage {
  const char* proves;
  void (*edit)(std::vector<std::uint8_t>&);
  std::size_t offset;
};

void PrintTo(const Damage& d, std::ostream* os) { *os << d.proves; }

class DamagedBlock : public testing::TestWithParam<Damage> {};

TEST_P(DamagedBlock, IsAnErrorNamingTheOffset) {
  auto block = kSmallBlock;
  GetParam().edit(block);
  try {
    ReadFormDescription(block, kIdA, kIdB);
    FAIL() << "read without error";
  } catch (const FormDescriptionError& e) {
    EXPECT_EQ(e.Offset(), GetParam().offset) << e.what();
    EXPECT_FALSE(e.Expected().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedBlock,
    testing::Values(Damage{"a wrong mark", [](auto& b) { b[1] = 0xCD; }, 0},
                    Damage{"a wrong header length", [](auto& b) { b[2] = 48; }, 2},
                    Damage{"another form's identifier", [](auto& b) { b[5] ^= 1; }, 5},
                    Damage{"a rest length past the block", [](auto& b) { b[89] = 100; }, 89},
                    Damage{"a rest length short of the form's length", [](auto& b) { b[89] = 0; }, 89},
                    Damage{"a form length past the block", [](auto& b) { b[93] = 0xFF; }, 93},
                    Damage{"a form length short of its 0xFF", [](auto& b) { b[93] = 0x35; }, 146},
                    Damage{"a control length past the block", [](auto& b) { b[148] = 0x60; }, 148},
                    Damage{"a control length short of its 0xFF", [](auto& b) { b[148] = 0x25; }, 185},
                    Damage{"a text without its 0", [](auto& b) { b[112] = 'x'; }, 112},
                    Damage{"a text longer than the form's part", [](auto& b) { b[108] = 0x7F; }, 110},
                    Damage{"an unknown property code in the form", [](auto& b) { b[113] = 0x1A; }, 113},
                    Damage{"property codes out of order", [](auto& b) { b[118] = 0x18; }, 118},
                    Damage{"a wrong link byte", [](auto& b) { b[147] = 0x03; }, 147},
                    Damage{"a missing end", [](auto& b) { b.pop_back(), b[89] -= 1; }, 187},
                    Damage{"a wrong end", [](auto& b) { b.back() = 0x05; }, 187},
                    Damage{"an empty block", [](auto& b) { b.clear(); }, 0}));

TEST(FormBlock, EveryTruncationIsAnErrorAndNeverAReadOutside) {
  const auto full = WriteFormDescription(Form1(), kForm1Id, kForm1SecondId);
  for (std::size_t size = 0; size < full.size(); ++size) {
    // A copy of exactly `size` bytes, so that a read past it is caught by ASan.
    const std::vector<std::uint8_t> cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size));
    EXPECT_THROW(ReadFormDescription(cut, kForm1Id, kForm1SecondId), FormDescriptionError) << size;
  }
}

TEST(FormBlock, StepsOverAControlOfUnknownClassOrCode) {
  auto unknownClass = kSmallBlock;
  unknownClass[164] = 99;  // Command1's class
  EXPECT_TRUE(ReadFormDescription(unknownClass, kIdA, kIdB).controls.empty());
  auto unknownCode = kSmallBlock;
  unknownCode[182] = 0x30;  // Command1's tab index code
  EXPECT_TRUE(ReadFormDescription(unknownCode, kIdA, kIdB).controls.empty());
}

TEST(FormBlock, ADamagedBlockStopsTheStartWithAMessage) {
  auto block = kSmallBlock;
  block[0] = 0;
  static std::vector<std::uint8_t> damaged;
  damaged = block;
  const FormTableEntry forms[] = {{"Form1", damaged, kIdA, kIdB, {}}};
  ProjectRecord project = MivelloProject();
  project.forms = forms;
  HeadlessBackend backend;
  EXPECT_EQ(RunProjectOn(project, backend), 1);
  ASSERT_EQ(backend.StartupFailures().size(), 1u);
  EXPECT_EQ(backend.StartupFailures()[0], "damaged form description at offset 0: expected the mark FF CC");
}

}  // namespace
}  // namespace mivello

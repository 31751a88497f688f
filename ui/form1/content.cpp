#include "ui/form1/content.h"

#include "links/shop.h"

namespace mivello {
namespace {

std::vector<std::uint8_t> Bytes(std::span<const std::uint8_t> s) { return {s.begin(), s.end()}; }

ControlModel Label(const char* name, const char* caption, TwipsRect rect, std::int16_t tabIndex) {
  return {name, ControlClass::Label, FromUtf8(caption), rect, tabIndex, {}, {}, {}};
}
ControlModel TextBox(const char* name, TwipsRect rect, std::int16_t tabIndex) {
  return {name, ControlClass::TextBox, {}, rect, tabIndex, {}, {}, {}};
}
ControlModel Button(const char* name, const char* caption, TwipsRect rect, std::int16_t tabIndex) {
  return {name, ControlClass::CommandButton, FromUtf8(caption), rect, tabIndex, {}, {}, {}};
}
ControlModel Picture(const char* name, std::span<const std::uint8_t> gif, TwipsRect rect,
                     const char* toolTip) {
  return {name, ControlClass::Picture, {}, rect, {}, FromUtf8(toolTip), {}, Bytes(gif)};
}

}  // namespace

FormModel Form1Content(const Form1Pictures& pictures) {
  FormModel form;
  form.name = "Form1";
  form.caption = FromUtf8("Mivello－BY Ostrel QQ:" MIVELLO_SELLER_QQ_NUMBER);
  form.property19 = {0x01, 0x00, 0x42, 0x00};
  form.icon = Bytes(pictures.icon);
  form.linkTopic = u"Form1";
  form.clientRect = {120, 450, 7050, 1845};
  form.startUpPosition = 3;  // where the system puts new windows

  ControlModel shopLine = Label("Label1", "欢迎光临小店" MIVELLO_SHOP_ADDRESS, {360, 1560, 3255, 255}, 7);
  shopLine.foreColour = Colour{255, 0, 0};
  shopLine.toolTip = u"点击访问小店";

  // Stored order: the top of the drawing order first.
  form.controls = {
      Button("Command2", "重来", {6000, 360, 855, 375}, 10),
      TextBox("Text3", {3720, 360, 975, 375}, 6),
      TextBox("Text2", {2280, 360, 855, 375}, 2),
      TextBox("Text1", {840, 360, 855, 375}, 1),
      Button("Command1", "计算", {4800, 360, 975, 375}, 0),
      Label("Label5", "使用说明:直接输入原价和折扣值就可以了。如9折就直接在折扣处输入9。",
            {600, 1080, 5895, 255}, 11),
      Picture("Image2", pictures.qq, {5760, 1440, 1110, 345}, "点击联系我QQ"),
      Label("Label7", "QQ：", {5400, 1560, 735, 255}, 9),
      Picture("Image1", pictures.wangwang, {4080, 1440, 1155, 285}, "点击联系我旺旺"),
      Label("Label4", "现价：", {3240, 480, 735, 255}, 5),
      Label("Label3", "折扣：", {1800, 480, 615, 255}, 4),
      Label("Label2", "原价：", {360, 480, 615, 255}, 3),
      Label("Label6", "旺旺：", {3600, 1560, 615, 255}, 8),
      std::move(shopLine),
  };
  return form;
}

}  // namespace mivello

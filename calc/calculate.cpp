#include "calc/price.h"
#include "calc/procedures.h"
#include "runtime/conversions.h"
#include "runtime/runtime_error.h"

namespace mivello {

void Command1_Click(Form& me) {
  ControlRef text2 = me.vbaObjSet("Text2");
  String discountText;
  CheckStatus(text2->GetText(discountText), *text2);
  ClearFpStatus();
  const double discount = TextToDouble(discountText);

  ControlRef text3 = me.vbaObjSet("Text3");
  ControlRef text1 = me.vbaObjSet("Text1");
  String priceText;
  CheckStatus(text1->GetText(priceText), *text1);
  ClearFpStatus();
  const double price = TextToDouble(priceText);

  const PriceResult result = DiscountedPrice(price, discount);
  RaiseFpStatus(result.invalid, result.overflow);
  CheckFpStatus();

  const String resultText = vbaStrR8(result.value);
  CheckStatus(text3->SetText(resultText), *text3);
}

}  // namespace mivello

#pragma once
// The three fixed command lines: the browser, one blank, and the link.
#include <string_view>

#include "links/shop.h"

namespace mivello::links {

#ifdef _WIN32
#define MIVELLO_BROWSER "C:\\Program Files\\Internet Explorer\\iexplore.exe"
#else
// The desktop's own opener, found on PATH, hands the link to the browser.
#define MIVELLO_BROWSER "xdg-open"
#endif

inline constexpr std::string_view BrowserPath = MIVELLO_BROWSER;

inline constexpr std::string_view kWangwangChat =
    MIVELLO_BROWSER " " MIVELLO_WANGWANG_CHAT_HOST "/msg.aw?v=2&uid=" MIVELLO_SELLER_WANGWANG_ACCOUNT
                    "&site=cntaobao&s=1&charset=utf-8";
inline constexpr std::string_view kQqChat = MIVELLO_BROWSER
    " tencent://message/?uin=" MIVELLO_SELLER_QQ_NUMBER "&Site=" MIVELLO_SHOP_DISPLAY_NAME "&Menu=yes";
inline constexpr std::string_view kShopPage = MIVELLO_BROWSER " " MIVELLO_SHOP_ADDRESS;

#undef MIVELLO_BROWSER

}  // namespace mivello::links

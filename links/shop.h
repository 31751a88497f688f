#pragma once
// The shop's fixed values, which the window, the links and the version block
// share. Macros, so that they can be joined into other constants at compile time.

// The shop's web page: scheme and host, no path.
#define MIVELLO_SHOP_ADDRESS "http://velta.taobao.com"
#define MIVELLO_SELLER_QQ_NUMBER "583210746"
#define MIVELLO_WANGWANG_CHAT_HOST "http://amos.im.alisoft.com"
// The seller's Wangwang account "Velta女装", UTF-8 percent-encoded.
#define MIVELLO_SELLER_WANGWANG_ACCOUNT "Velta%E5%A5%B3%E8%A3%85"
// The shop's display name "Velta时尚女装", UTF-8 percent-encoded.
#define MIVELLO_SHOP_DISPLAY_NAME "Velta%E6%97%B6%E5%B0%9A%E5%A5%B3%E8%A3%85"

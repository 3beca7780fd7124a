#include "about/about_box.h"

#include "about/about_box_info.h"
#include "common/product_identity.h"
#include "common/ui_language.h"
#include "res/resource.h"

// Eight lines, none after the last; lines 4 and 7 are empty.
static const char AboutNotice[] =
    "　このプログラムは、マウスカーソルを定期的に微妙に動かすことにより、PCをスクリーンセーバやスリープ状態に入る"
    "ことを防ぐためのものです。\r\n"
    "　本プログラムはフリーソフトウェアです。目的を問わず無償でお使いいただけますが、使用によって生じたいかなる"
    "問題についても作者は責任を負いません。\r\n"
    "　あらゆる媒体への転載・紹介・再配布は、事前の許可なく自由に行っていただいて構いません(開発版については制限"
    "があります)。法的な取り扱いは日本国の法律に従います。紹介の際には、アイコンや画面写真もご利用いただけます。"
    "詳しくはヘルプをご覧下さい。\r\n"
    "\r\n"
    "※Windows、Windows NTは、米国Microsoft Corporationの米国及びその他の国における登録商標です。\r\n"
    "※その他、記載されている会社名・製品名は、各社の商標または登録商標です。\r\n"
    "\r\n"
    "ウイルス対策ソフト・セキュリティ企業・ブラウザ各社へ:当サイトで公開しているソフトウェアをウイルスやマルウェア"
    "として扱うこと、また当サイト・ミラーサイト・転載サイトからのダウンロードの際に、危険性を誇張して利用者を誤解"
    "させるメッセージを表示することを禁じます。";

// The same eight lines for a user who does not read Japanese.
static const char EnglishAboutNotice[] =
    "This program moves the mouse cursor very slightly at regular intervals to keep the PC from going into the "
    "screen saver or sleep.\r\n"
    "This program is free software. You may use it free of charge for any purpose, but the author takes no "
    "responsibility for any problem caused by its use.\r\n"
    "You may introduce and redistribute it on any medium without asking first (development versions are "
    "restricted). It is governed by the laws of Japan. You may use its icon and screenshots when introducing it. "
    "See the help for details.\r\n"
    "\r\n"
    "* Windows and Windows NT are registered trademarks of Microsoft Corporation in the United States and other "
    "countries.\r\n"
    "* Other company and product names mentioned are trademarks or registered trademarks of their owners.\r\n"
    "\r\n"
    "To makers of anti-virus software, security companies and browser makers: do not treat the software published "
    "on this site as a virus or malware, and do not show messages that overstate its danger and mislead users when "
    "it is downloaded from this site, a mirror or a site that carries a copy.";

INT_PTR ShowAboutBox(HWND owner, HINSTANCE instance) {
    AboutBoxInfo info = {};
    info.japanese = UserSeesJapanese();
    info.iconId = IDI_SWAYPIX;
    info.instance = instance;
    info.owner = owner;
    info.productName = ProductName;
    info.webSite = MakerHomePage;
    info.mailAddress = MakerMailAddress;
    info.donationPage = MakerDonationPage;
    info.notice = info.japanese ? AboutNotice : EnglishAboutNotice;
    info.reportCallback = NULL;
    info.feedbackPage = MakerFeedbackPage;
    return RunAboutBox(&info);
}

// Who the program is, in one place: its names and the maker's addresses.
#pragma once

// The caption of start-up's and the set-up dialog's message boxes, and the
// class and title by which a later start finds the resident window.
const char ProductCaption[] = "SWAY_PIX";
// The About box's product name.
const char ProductName[] = "SWAYPIX";

// The shortcut files: SWAYPIX.LNK, or SWAYPIX(2).LNK and on where that
// name is taken; the report finds them by the pattern.
#define SWAYPIX_SHORTCUT_STEM L"SWAYPIX"
#define SWAYPIX_SHORTCUT_EXTENSION L".LNK"
const wchar_t ShortcutStem[] = SWAYPIX_SHORTCUT_STEM;
const wchar_t ShortcutExtension[] = SWAYPIX_SHORTCUT_EXTENSION;
const wchar_t ShortcutFileName[] = SWAYPIX_SHORTCUT_STEM SWAYPIX_SHORTCUT_EXTENSION;
const wchar_t ShortcutPattern[] = SWAYPIX_SHORTCUT_STEM L"*" SWAYPIX_SHORTCUT_EXTENSION;

// The host is a placeholder domain of our own.
#define SWAYPIX_MAKER_HOST "swaypix.example"

const char MakerHomePage[] = "https://" SWAYPIX_MAKER_HOST "/";
const char MakerDonationPage[] = "https://" SWAYPIX_MAKER_HOST "/kifu.html";
const char MakerFeedbackPage[] = "https://" SWAYPIX_MAKER_HOST "/ifa.php?SWAYPIX";
const char MakerMailAddress[] = "swaypix@" SWAYPIX_MAKER_HOST;  // without "mailto:"

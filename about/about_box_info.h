// The record that describes a product to the About box. Eleven machine
// words in this order; the caller zero-fills it and keeps it alive while
// the box runs.
#pragma once
#include <windows.h>

typedef void (*AboutReportCallback)(HWND box);

struct AboutBoxInfo {
    INT_PTR japanese;            // non-zero: Japanese texts, font and report
    INT_PTR iconId;              // icon resource of `instance`
    HINSTANCE instance;
    HWND owner;
    const char* productName;     // first word of the title, message caption
    const char* webSite;         // null hides the web-site button
    const char* mailAddress;     // without "mailto:"; null hides the mail button
    const char* donationPage;    // null hides the donation button
    const char* notice;
    AboutReportCallback reportCallback;  // replaces the built-in report when set
    const char* feedbackPage;    // null hides the feedback button
};

static_assert(sizeof(AboutBoxInfo) == 11 * sizeof(void*), "eleven machine words");

// Runs the box modally: 0 after Close, -1 when the system could not
// create it, 0 without showing anything when no template memory was had.
INT_PTR RunAboutBox(const AboutBoxInfo* info);

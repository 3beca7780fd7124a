// Who the program is, in one place: its names and the maker's addresses.
#pragma once

// The caption of start-up's and the set-up dialog's message boxes, and the
// class and title by which a later start finds the resident window.
const char ProductCaption[] = "SWAY_PIX";
// The About box's product name and the stem of the shortcut files.
const char ProductName[] = "SWAYPIX";

// The host is a placeholder domain of our own.
#define SWAYPIX_MAKER_HOST "swaypix.example"

const char MakerHomePage[] = "https://" SWAYPIX_MAKER_HOST "/";
const char MakerDonationPage[] = "https://" SWAYPIX_MAKER_HOST "/kifu.html";
const char MakerFeedbackPage[] = "https://" SWAYPIX_MAKER_HOST "/ifa.php?SWAYPIX";
const char MakerMailAddress[] = "swaypix@" SWAYPIX_MAKER_HOST;  // without "mailto:"

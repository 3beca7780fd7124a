// The maker's web site and mail address, in one place. The host is a
// placeholder domain of our own.
#pragma once

#define SWAYPIX_MAKER_HOST "swaypix.example"

const char MakerHomePage[] = "https://" SWAYPIX_MAKER_HOST "/";
const char MakerDonationPage[] = "https://" SWAYPIX_MAKER_HOST "/kifu.html";
const char MakerFeedbackPage[] = "https://" SWAYPIX_MAKER_HOST "/ifa.php?SWAYPIX";
const char MakerMailAddress[] = "swaypix@" SWAYPIX_MAKER_HOST;  // without "mailto:"

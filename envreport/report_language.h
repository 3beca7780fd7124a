// The report's language: set once per run by the driver, read everywhere.
#pragma once
#include "common/local_text.h"

// True for Japanese lines, false for English ones.
extern bool ReportLanguage;

// The member of a text pair for the report's language.
const char* Pick(const char* japanese, const char* english);
const char* Pick(const LocalText& text);

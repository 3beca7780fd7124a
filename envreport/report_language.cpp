#include "envreport/report_language.h"

bool ReportLanguage = true;

const char* Pick(const char* japanese, const char* english) {
    return ReportLanguage ? japanese : english;
}

const char* Pick(const LocalText& text) {
    return Pick(text.japanese, text.english);
}

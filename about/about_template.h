// The About box's dialog template, built in memory from its record.
#pragma once
#include <windows.h>

#include <cstddef>

#include "about/about_box_info.h"

const size_t AboutTemplateSize = 2048;

// Writes the classic (non-extended) template into `memory`, which holds
// AboutTemplateSize zeroed bytes. Returns the bytes used, or 0 when the
// template would not fit.
size_t WriteAboutTemplate(const AboutBoxInfo& info, BYTE* memory);

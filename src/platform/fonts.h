#pragma once

namespace sw {

// Maps the font families templates name ("宋体", "新宋体", "Arial",
// "MS Sans Serif", ...) to fonts installed here. Call once, after the
// application object exists and before anything measures text.
void registerFontSubstitutions();

} // namespace sw

#pragma once
/// @file
/// @ingroup graphics
/// What the OpenGL direct-drawing helpers (text, rectangles and pixmaps in window coordinates)
/// need from the OpenGL module: the built-in text font and room to save the GL matrices.
/// Shared between back ends of the framework, not meant for programs.
namespace corvax {

/// The embedded 8 x 16 font, "incbin::gldrawtextfont.bin": 16 rows of 96 bytes. Byte j of row i
/// holds row i of character 32 + j, bit k (1 << k) being pixel column k, leftmost first.
///@{
inline constexpr const char16_t* kGLTextFontName = u"gldrawtextfont.bin";
inline constexpr int kGLTextFontFirstChar = 32;
inline constexpr int kGLTextFontChars = 96;
inline constexpr int kGLTextFontCharWidth = 8;
inline constexpr int kGLTextFontCharHeight = 16;
inline constexpr int kGLTextFontSize = kGLTextFontChars * kGLTextFontCharHeight;
///@}

/// @return The model-view matrix saved by SaveGLMatrices, 16 doubles.
double* SavedModelViewMatrix();
/// @return The projection matrix saved by SaveGLMatrices, 16 doubles.
double* SavedProjectionMatrix();
/// Both need a current GL context. Restore leaves the model-view matrix mode selected.
///@{
void SaveGLMatrices();
void RestoreGLMatrices();
///@}

}  // namespace corvax

#pragma once
// Character coding for text streams, shared by the byte-at-a-time and the buffered readers.
#include <corvax/stream/stream_exceptions.h>
#include <corvax/stream/text_stream.h>

namespace corvax::text_codec {

constexpr int kReplacement = 0xFFFD;
constexpr int kLastCode = 0x10FFFF;

// A byte source gives First(), the first byte of a character, and Next(), a further byte,
// which throws TStreamReadException when the data ends inside the character.
template <class Source>
int DecodeUtf8(Source& source) {
  const int lead = source.First();
  if (lead < 0x80) return lead;
  int code, extra;
  // A continuation byte cannot start a character, and no lead byte announces more than three.
  if (lead < 0xC0 || lead >= 0xF8) return kReplacement;
  if (lead < 0xE0) {
    code = lead & 0x1F;
    extra = 1;
  } else if (lead < 0xF0) {
    code = lead & 0x0F;
    extra = 2;
  } else {
    code = lead & 0x07;
    extra = 3;
  }
  for (; extra > 0; --extra) {
    const int next = source.Next();
    if ((next & 0xC0) != 0x80) return kReplacement;
    code = code << 6 | (next & 0x3F);
  }
  // Three-byte surrogates pass: that is how text written a unit at a time stores pairs.
  return code <= kLastCode ? code : kReplacement;
}

template <class Source>
int DecodeChar(int encoding, Source& source) {
  switch (encoding) {
    case TTextStream::ENCODING_LATIN1:
      return source.First();
    case TTextStream::ENCODING_UTF8:
      return DecodeUtf8(source);
    case TTextStream::ENCODING_UTF16BE: {
      const int high = source.First();
      return high << 8 | source.Next();
    }
    case TTextStream::ENCODING_UTF16LE: {
      const int low = source.First();
      return low | source.Next() << 8;
    }
    default:
      return 0;
  }
}

// Appends a decoded code to text, as a surrogate pair beyond 0xFFFF.
inline void AppendCode(String& text, int code) {
  if (code < 0x10000) {
    text += static_cast<char16_t>(code);
  } else {
    code -= 0x10000;
    text += static_cast<char16_t>(0xD800 + (code >> 10));
    text += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
  }
}

// Put receives each byte as an int; only its low 8 bits count.
template <class Put>
void EncodeUtf16Unit(bool bigEndian, int unit, Put& put) {
  if (bigEndian) {
    put(unit >> 8);
    put(unit);
  } else {
    put(unit);
    put(unit >> 8);
  }
}

template <class Put>
void EncodeChar(int encoding, int code, Put& put) {
  if (code < 0 || code > kLastCode) code &= 0xFFFF;
  switch (encoding) {
    case TTextStream::ENCODING_LATIN1:
      put(code);
      break;
    case TTextStream::ENCODING_UTF8:
      if (code < 0x80) {
        put(code);
      } else if (code < 0x800) {
        put(0xC0 | code >> 6);
        put(0x80 | (code & 0x3F));
      } else if (code < 0x10000) {
        put(0xE0 | code >> 12);
        put(0x80 | (code >> 6 & 0x3F));
        put(0x80 | (code & 0x3F));
      } else {
        put(0xF0 | code >> 18);
        put(0x80 | (code >> 12 & 0x3F));
        put(0x80 | (code >> 6 & 0x3F));
        put(0x80 | (code & 0x3F));
      }
      break;
    case TTextStream::ENCODING_UTF16BE:
    case TTextStream::ENCODING_UTF16LE: {
      const bool bigEndian = encoding == TTextStream::ENCODING_UTF16BE;
      if (code < 0x10000) {
        EncodeUtf16Unit(bigEndian, code, put);
      } else {
        EncodeUtf16Unit(bigEndian, 0xD800 + ((code - 0x10000) >> 10), put);
        EncodeUtf16Unit(bigEndian, 0xDC00 + ((code - 0x10000) & 0x3FF), put);
      }
      break;
    }
    default:
      break;
  }
}

// UTF-8 joins each surrogate pair into one four-byte character; the other encodings take the
// text a unit at a time, which keeps Latin-1 at one byte per unit.
template <class Put>
void EncodeText(int encoding, std::u16string_view text, Put& put) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    int code = text[i];
    if (encoding == TTextStream::ENCODING_UTF8 && code >= 0xD800 && code < 0xDC00 &&
        i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    EncodeChar(encoding, code, put);
  }
}

}  // namespace corvax::text_codec

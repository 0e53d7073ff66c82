#pragma once
/// @defgroup stream Streams and data
/// Streams and url opening, files, embedded files, memory blocks (banks), byte order and text
/// encodings, data types and object graphs, random numbers, the file system. Start-up:
/// StartupCorvax() from <corvax/corvax.h>, or StartupStreamModule() for this module alone, before
/// any other call of the module.
///
/// Example, `examples/read_text_lines.cpp` (the suite builds and runs it):
/// @snippet read_text_lines.cpp read lines

/// @file
/// @ingroup stream
/// The streams-and-data module: start-up and the whole public interface.
#include <corvax/stream/bank.h>
#include <corvax/stream/bank_data_type.h>
#include <corvax/stream/bank_stream.h>
#include <corvax/stream/console_stream.h>
#include <corvax/stream/cstream.h>
#include <corvax/stream/data_id.h>
#include <corvax/stream/data_input.h>
#include <corvax/stream/data_list_type.h>
#include <corvax/stream/data_stream.h>
#include <corvax/stream/data_type.h>
#include <corvax/stream/embedded_files.h>
#include <corvax/stream/filesystem.h>
#include <corvax/stream/open_url.h>
#include <corvax/stream/ram_stream.h>
#include <corvax/stream/random.h>
#include <corvax/stream/seekable_stream.h>
#include <corvax/stream/standard_io.h>
#include <corvax/stream/stream.h>
#include <corvax/stream/stream_close_guard.h>
#include <corvax/stream/stream_factory.h>
#include <corvax/stream/stream_functions.h>
#include <corvax/stream/stream_wrapper.h>
#include <corvax/stream/text_stream.h>
#include <corvax/stream/text_stream_files.h>
#include <corvax/stream/xendian_stream.h>

namespace corvax {

/// Stream factories are asked newest first. The core registers the data, bank, embedded-file and
/// byte-order protocols. Modules that bring protocols of their own and need no text start only the
/// core, so that an application starting them first still has the text protocols asked before
/// theirs.
/// @sa StartupTextStreamModule
void StartupStreamCoreModule();
/// Registers the encoding protocols and the console, after the core.
void StartupTextStreamModule();
/// Both of the above.
void StartupStreamModule();

}  // namespace corvax

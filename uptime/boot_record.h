// Reading one start record of the System log: the Kernel-Boot provider's
// event 27, "The boot type was ...", which Windows 8 and later write each time
// the computer starts, as EvtRenderEventXml renders it:
//
//   <Event xmlns='http://schemas.microsoft.com/win/2004/08/events/event'>
//     <System><Provider Name='Microsoft-Windows-Kernel-Boot' Guid='{...}'/>
//       <EventID>27</EventID> ...
//       <TimeCreated SystemTime='2026-12-09T08:00:00.1234567Z'/> ...</System>
//     <EventData><Data Name='BootType'>1</Data> ...</EventData></Event>
//
// The text comes from the log, which other programs write to and which may be
// damaged, so nothing in it is trusted: the reader takes exactly the fields it
// needs from a well-formed element tree and refuses everything else, rather
// than guess at a record it does not understand.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The boot types as Windows logs them: a start after a full shutdown or a
// restart, after a hybrid shutdown ("Fast Startup", the kernel resumed from
// hibernation), and the resume from a hibernation the user chose.
constexpr std::uint32_t kBootAfterFullShutdown = 0;
constexpr std::uint32_t kBootAfterHybridShutdown = 1;
constexpr std::uint32_t kBootFromHibernation = 2;

struct BootRecord {
    std::int64_t time = 0;  // TimeCreated in UTC, 100-nanosecond units since 1 January 1601
    std::uint32_t bootType = 0;
};

// The record's time and boot type. Nothing unless all of these hold:
// - the text is one element tree: tags nested and closed in order, attribute
//   values quoted, no more than 32 elements deep; declarations, processing
//   instructions and comments are passed over, a DOCTYPE or CDATA section is
//   refused;
// - the root is Event; its System element holds exactly one Provider, named
//   Microsoft-Windows-Kernel-Boot (in any case), one EventID, 27 in decimal,
//   and one TimeCreated whose SystemTime is a UTC time of the form
//   YYYY-MM-DDThh:mm:ss, up to nine decimals of a second, then Z, between the
//   years 1601 and 9999;
// - its EventData holds exactly one Data element named BootType, whose text is
//   a decimal or 0x-prefixed hexadecimal number below 2^32.
// Blanks around the numbers are allowed; the record's other elements and
// attributes are not looked at.
std::optional<BootRecord> ReadBootRecord(std::u16string_view xml);

// Start records of the System log written the way EvtRenderEventXml renders
// them: one line, attribute values in single quotes, empty elements closed
// with "/>". The System fields the reader does not look at carry placeholder
// values of their usual form.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace boot_record_xml {

// A Kernel-Boot event 27 created at `systemTime` (as Windows writes it, e.g.
// "2026-12-09T08:00:00.1234567Z") with the boot type's text as given.
inline std::u16string Record(std::u16string_view systemTime, std::u16string_view bootType) {
    std::u16string xml =
        u"<Event xmlns='http://schemas.microsoft.com/win/2004/08/events/event'><System>"
        u"<Provider Name='Microsoft-Windows-Kernel-Boot' "
        u"Guid='{15ca44ff-4d7a-4baa-bba5-0998955e531e}'/>"
        u"<EventID>27</EventID><Version>0</Version><Level>4</Level><Task>33</Task>"
        u"<Opcode>0</Opcode><Keywords>0x8000000000000000</Keywords><TimeCreated SystemTime='";
    xml += systemTime;
    xml +=
        u"'/><EventRecordID>4711</EventRecordID><Correlation/>"
        u"<Execution ProcessID='4' ThreadID='8'/><Channel>System</Channel>"
        u"<Computer>DESKTOP-4V2N7Q1</Computer><Security UserID='S-1-5-18'/></System>"
        u"<EventData><Data Name='BootType'>";
    xml += bootType;
    xml += u"</Data><Data Name='LoadOptions'></Data></EventData></Event>";
    return xml;
}

// The record with the first occurrence of `part`, which must be there, taken
// out or replaced.
inline std::u16string Edited(std::u16string xml, std::u16string_view part,
                             std::u16string_view replacement = u"") {
    const std::size_t at = xml.find(part);
    if (at == std::u16string::npos) throw std::logic_error("the record has no such part");
    xml.replace(at, part.size(), replacement);
    return xml;
}

}  // namespace boot_record_xml

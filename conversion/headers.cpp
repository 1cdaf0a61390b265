#include "conversion/headers.h"

#include <string>

#include "common/version.h"

namespace zendro {
namespace {
constexpr std::string_view kTrvRule = "RE,=====================================";
constexpr std::string_view kTrvBlank = "RE,=                                   =";
constexpr std::string_view kObsRule = "H 99 =====================================";
}  // namespace

void writeTrvHeader(LineWriter& trv, std::string_view jobName, const HeaderClock& clock) {
    trv.text("VE,1.0").endLine();
    trv.text("TY,1").endLine();
    trv.text("OP,1,1").endLine();
    trv.text(kTrvRule).endLine();
    trv.text(kTrvBlank).endLine();
    trv.text("RE,=   TRANSLATED FROM: ").text(jobName).column(33).text(".HVD   =").endLine();
    trv.text("RE,=   DATE: ").text(headerDate(clock())).column(40).text("=").endLine();
    trv.text("RE,=   TIME: ").text(headerTime(clock())).column(40).text("=").endLine();
    trv.text(kTrvBlank).endLine();
    trv.text("RE,= USING ZENDRO.EXE VERSION ").text(kVersion).column(39).text("=").endLine();
    trv.text(kTrvRule).endLine();
    trv.text("BB,0 00 00NA").endLine();
}

void writeObsHeader(LineWriter& obs, std::string_view jobName, const HeaderClock& clock) {
    obs.text("H 00 GEOPAK OBS file created from Surveyor Dozirezir Binary files").endLine();
    obs.text(kObsRule).endLine();
    obs.text("H 99 ").endLine();
    obs.text("H 99 TRANSLATED FROM: ").text(jobName).text(".HVD").endLine();
    obs.text("H 99 DATE: ").text(headerDate(clock())).endLine();
    obs.text("H 99 TIME: ").text(headerTime(clock())).endLine();
    obs.text("H 99 ").endLine();
    obs.text("H 99 USING ZENDRO.EXE VERSION ").text(kVersion).endLine();
    obs.text(kObsRule).endLine();
}

}  // namespace zendro

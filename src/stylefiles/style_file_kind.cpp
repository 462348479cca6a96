#include "stylefiles/style_file_kind.h"

namespace orb {

StyleFileKind recogniseOtherKorgFile(std::string_view firstBytes) {
    const std::string_view start = firstBytes.substr(0, 5);
    if (start == "KORG9") {
        return StyleFileKind::KorgI3;
    }
    if (start == "KORG<") {
        return StyleFileKind::KorgI5;
    }
    if (start == "KORGM") {
        return StyleFileKind::KorgIS40;
    }
    if (start == "KORGI") {
        return StyleFileKind::KorgI30;
    }
    return StyleFileKind::Unknown;
}

std::string notABankLogLine(std::string_view shortName, StyleFileKind kind) {
    std::string line(shortName);
    const char* model = nullptr;
    switch (kind) {
        case StyleFileKind::KorgI3:
            model = " i3,i2,i1,i4s arrangers";
            break;
        case StyleFileKind::KorgI5:
            model = " i5 arranger";
            break;
        case StyleFileKind::KorgIS40:
            model = " iS40,iS50 arrangers";
            break;
        case StyleFileKind::KorgI30:
            model = " i30 arranger";
            break;
        case StyleFileKind::PaBank:
        case StyleFileKind::Unknown:
            break;
    }
    if (model != nullptr) {
        return line + " is probably a style for KORG " + model;
    }
    return line +
           " is not a Pa style, is damaged, its format is unknown or you have no rights to "
           "access it!";
}

}  // namespace orb

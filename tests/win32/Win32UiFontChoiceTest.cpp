// The face the windows are drawn in, chosen from what the system has.
#include "platform/win32/Win32UiFontChoice.h"

#include <gtest/gtest.h>

namespace kelvane::platform {
namespace {

struct FaceCase
{
    const char* What;
    std::string Drawn; // the face the system would draw Windows' named face in
    std::vector<std::string> Available;
    std::string Chosen;
};

// The families a Wine prefix offers Qt without Windows fonts: the host's, a fixed-pitch one first.
const std::vector<std::string> BareWine = {"Classic Console",  "DejaVu Math TeX Gyre", "DejaVu Sans",
                                           "DejaVu Sans Mono", "DejaVu Serif",         "MS Shell Dlg"};

class UiFontChoice : public testing::TestWithParam<FaceCase>
{};

TEST_P(UiFontChoice, DrawsInWindowsOwnFaceOrASansThatStandsInForIt)
{
    const FaceCase& face = GetParam();
    EXPECT_EQ(ChooseUiFontFamily("MS Shell Dlg", face.Drawn, face.Available), face.Chosen) << face.What;
}

INSTANTIATE_TEST_SUITE_P(
    Faces, UiFontChoice,
    testing::Values(
        FaceCase{"Windows draws its alias in its own face", "Segoe UI", {"Arial", "Segoe UI", "Tahoma"}, "Segoe UI"},
        FaceCase{"an older Windows", "Microsoft Sans Serif", {"Microsoft Sans Serif", "Arial"}, "Microsoft Sans Serif"},
        FaceCase{"an East Asian edition keeps its own face", "MS UI Gothic", {"MS UI Gothic", "Arial"}, "MS UI Gothic"},
        FaceCase{"Wine without Tahoma: the alias falls on a fixed-pitch face", "Classic Console", BareWine,
                 "DejaVu Sans"},
        FaceCase{"a serif face gives way to the first Windows face there",
                 "DejaVu Serif",
                 {"DejaVu Serif", "Arial", "Tahoma"},
                 "Tahoma"},
        FaceCase{
            "names compare without case; the system's spelling comes back", "Courier", {"courier", "TAHOMA"}, "TAHOMA"},
        FaceCase{"no sans face known: the caller asks for any sans-serif",
                 "gallant12x22",
                 {"gallant12x22", "Classic Console"},
                 ""}));

TEST(UiFontChoice, AFaceThatIsDrawnAsNamedStays)
{
    EXPECT_EQ(ChooseUiFontFamily("Verdana", "verdana", {"Verdana", "Tahoma"}), "verdana");
    EXPECT_EQ(ChooseUiFontFamily("Verdana", "Classic Console", {"Classic Console", "Tahoma"}), "Tahoma")
        << "a named face the system lacks";
}

} // namespace
} // namespace kelvane::platform

#pragma once
// The main window's controls for the engine's fields: which text box holds
// which curve input, which label shows which element cell, which box a
// failed check names. The engine knows fields; only the window knows names.

#include <array>
#include <cstring>

#include "compute/forward_point.h"
#include "compute/main_points.h"
#include "compute/stakeout_table.h"
#include "core/curve/curve_inputs.h"

namespace tarvelo {

// Text box and caption label of each curve input, in field order.
inline constexpr std::array<const char*, kCurveInputCount> kCurveInputBoxes = {
    "Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8"};
inline constexpr std::array<const char*, kCurveInputCount> kCurveInputLabels = {
    "Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7", "Label8"};

// Labels of the main-stakes table: rows ZH ... HZ, columns station, X, Y,
// azimuth (the cells of kMainStakeCells).
inline constexpr std::array<std::array<const char*, 4>, 5> kMainStakeLabels = {{
    {"Label45", "Label46", "Label47", "Label48"},
    {"Label49", "Label50", "Label51", "Label52"},
    {"Label53", "Label54", "Label55", "Label56"},
    {"Label57", "Label58", "Label59", "Label60"},
    {"Label61", "Label62", "Label63", "Label64"},
}};

// Labels of the parameter table in the order of kElementNames.
inline constexpr std::array<const char*, 12> kElementLabels = {
    "Label65", "Label66", "Label67", "Label68", "Label69", "Label70",
    "Label71", "Label72", "Label73", "Label74", "Label75", "Label76"};

// The label that shows the display cell `id`; nullptr for an unknown id.
inline const char* LabelOfCell(const std::string& id)
{
    for (std::size_t row = 0; row < kMainStakeCells.size(); ++row)
        for (std::size_t col = 0; col < 4; ++col)
            if (id == kMainStakeCells[row][col]) return kMainStakeLabels[row][col];
    for (std::size_t i = 0; i < kElementNames.size(); ++i)
        if (id == kElementNames[i]) return kElementLabels[i];
    return nullptr;
}

inline const char* BoxOf(StakeField f)
{
    switch (f) {
    case StakeField::Station: return "Text41";
    case StakeField::Offset: return "Text42";
    case StakeField::Skew: break;
    }
    return "Text43";
}

inline const char* BoxOf(TableField f)
{
    switch (f) {
    case TableField::Offset: return "Text42";
    case TableField::Skew: return "Text43";
    case TableField::Interval: return "Text9";
    case TableField::Start: return "Text10";
    case TableField::End: break;
    }
    return "Text11";
}

}  // namespace tarvelo

#pragma once

// The two ways a chart is saved.
enum class SaveLayout {
    Normalised, // bms_writer.h: fixed order, coarsest grids
    KeepText, // layout_keeping_writer.h: the chart's own text with the edits
};

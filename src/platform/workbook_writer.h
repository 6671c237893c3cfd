#pragma once
// The spreadsheet writer's functions, reached through a module of their own
// (libbenchdeck_workbook.so, see modules.h): the writer brings the crypto
// library, which a start that writes no workbook does not need.
#include <xlsxwriter.h>

namespace platform::detail {

struct WorkbookWriter {
    decltype(&workbook_new_opt) newWorkbook;
    decltype(&lxw_workbook_free) freeWorkbook;
    decltype(&workbook_add_worksheet) addWorksheet;
    decltype(&workbook_add_format) addFormat;
    decltype(&workbook_close) close;
    decltype(&worksheet_set_column) setColumn;
    decltype(&worksheet_set_default_row) setDefaultRow;
    decltype(&worksheet_write_string) writeString;
    decltype(&worksheet_write_number) writeNumber;
    decltype(&worksheet_write_blank) writeBlank;
    decltype(&format_set_bold) setBold;
    decltype(&format_set_border) setBorder;
    decltype(&format_set_border_color) setBorderColour;
    decltype(&format_set_pattern) setPattern;
    decltype(&format_set_bg_color) setBackground;
    decltype(&format_set_num_format) setNumberFormat;
    decltype(&lxw_strerror) describe;
    decltype(&lxw_utf8_strlen) utf8Length;
};

// The module's one entry point, found by this name.
using GetWorkbookWriter = const WorkbookWriter* (*)();
inline constexpr char GetWorkbookWriterName[] = "benchdeck_workbook_writer";
inline constexpr char WorkbookModuleName[] = "libbenchdeck_workbook.so";

}  // namespace platform::detail

// The workbook module: the spreadsheet writer's functions, linked here.
#include "platform/workbook_writer.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT const platform::detail::WorkbookWriter* benchdeck_workbook_writer()
{
    static constexpr platform::detail::WorkbookWriter writer{
        &workbook_new_opt,     &lxw_workbook_free,         &workbook_add_worksheet, &workbook_add_format,
        &workbook_close,       &worksheet_set_column,      &worksheet_set_default_row,
        &worksheet_write_string, &worksheet_write_number,  &worksheet_write_blank,  &format_set_bold,
        &format_set_border,    &format_set_border_color,   &format_set_pattern,     &format_set_bg_color,
        &format_set_num_format, &lxw_strerror,           &lxw_utf8_strlen,
    };
    return &writer;
}

#pragma once

#include <QString>

class FormReader;
class RowPieces;

enum class Layout { Doc, Txt };

// Composes the 26 written lines of the power of attorney. The two layouts
// differ only in the runs of spaces between a caption and its value; the
// .txt layout pads wider. A composed line carries its own ending but not the
// CR LF that writing adds.
class DocumentLayout
{
public:
    static constexpr int rowCount = 26;

    // Composes row 1..26 from the form's current captions and values.
    static QString composeRow(Layout layout, int row, const FormReader &form);
    // Reads the row's captions and values from the form and lays out its
    // pieces, ready to be written without joining them first.
    static void collectRow(Layout layout, int row, const FormReader &form, RowPieces &pieces);
};

#include "command/TComboEdit.h"

#include "command/TLineEdit.h"

TComboEdit::TComboEdit(QWidget* parent) : QComboBox(parent), m_lineEdit(new TLineEdit(this))
{
    setEditable(true);
    setLineEdit(m_lineEdit);
    setInsertPolicy(QComboBox::NoInsert);  // the line edit keeps the history itself
    setCompleter(nullptr);                 // no inline completion from old lines
    setMaxVisibleItems(6);
    setToolTip(tr("Type a command, a wavelength or element symbols, then press Enter"));
}

void TComboEdit::SetKeywords(CommandList keywords)
{
    m_lineEdit->SetKeywords(std::move(keywords));
}

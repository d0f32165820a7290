#include "buttons/CopyButtons.h"

#include "platform/Clipboard.h"

#include <QLineEdit>

CopyButtons::CopyButtons(const Controls &controls, Clipboard &clipboard, QObject *parent)
    : QObject(parent)
    , m_c(controls)
    , m_clipboard(clipboard)
{ }

void CopyButtons::Label4_Click()
{
    copy(m_c.Text7);
}

void CopyButtons::Label5_Click()
{
    copy(m_c.Text9);
}

void CopyButtons::Label6_Click()
{
    copy(m_c.Text8);
}

void CopyButtons::copy(const QLineEdit *box)
{
    // A clipboard held elsewhere stays as it was; the user gets no message, as with every
    // other failure in this program.
    m_clipboard.setText(box->text());
}

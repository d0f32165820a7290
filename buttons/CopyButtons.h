#pragma once

#include <QObject>

class Clipboard;
class QLineEdit;

// The three "Kopie" labels: each puts its code box's text on the clipboard as it stands.
class CopyButtons : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        QLineEdit *Text7 = nullptr; // copied by Label4
        QLineEdit *Text9 = nullptr; // copied by Label5
        QLineEdit *Text8 = nullptr; // copied by Label6
    };

    CopyButtons(const Controls &controls, Clipboard &clipboard, QObject *parent = nullptr);

    void Label4_Click();
    void Label5_Click();
    void Label6_Click();

private:
    void copy(const QLineEdit *box);

    Controls m_c;
    Clipboard &m_clipboard;
};

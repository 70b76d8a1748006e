#pragma once

#include "platform/Localized.h"

#include <QDialog>
#include <QLabel>

class QPushButton;

// The link of the about box: blue, red while pressed, opens the maker's site on release.
class AboutLink final : public QLabel {
    Q_OBJECT
public:
    AboutLink(const QString& url, QWidget* parent);
    void setTextColor(const QColor& color);
    QColor textColor() const { return mColor; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString mUrl;
    QColor mColor;
};

// The about box: the splash picture with the version, the link to the maker's web site,
// two notice lines and a close button.
class AboutDialog final : public QDialog {
    Q_OBJECT
public:
    AboutDialog();

    // Shows the one about box modally and returns when it closes.
    static void ShowModal();
    // The box while it is shown, or none.
    static AboutDialog* Current();

    QLabel* Canvas1 = nullptr;
    QLabel* StaticText3 = nullptr;
    AboutLink* StaticText7 = nullptr;
    QPushButton* BevelButton1 = nullptr;
    QLabel* StaticText8 = nullptr;
    QLabel* StaticText9 = nullptr;

    LOCALIZED_TEXT_DECL(lkVersion);
    LOCALIZED_TEXT_DECL(lkClose);
    // The two notice lines.
    LOCALIZED_TEXT_DECL(lkCopyright);
    LOCALIZED_TEXT_DECL(lkMapData);
};

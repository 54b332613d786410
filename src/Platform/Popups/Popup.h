#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class PopupHost;
class ProgressView;

// What action sheets and alerts share: a tag naming their kind, a title, a
// message, buttons by index (other buttons first, the cancel button last),
// and a progress bar that may be shown in them.
class Popup : public std::enable_shared_from_this<Popup> {
public:
    enum class Kind { ActionSheet, Alert };

    virtual ~Popup();

    Kind kind() const { return m_kind; }
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    // The platform's style values (an action sheet's 2 is black opaque).
    int actionSheetStyle() const { return m_style; }
    void setActionSheetStyle(int style) { m_style = style; }
    const QString& title() const { return m_title; }
    const QString& message() const { return m_message; }
    const QStringList& buttonTitles() const { return m_buttonTitles; }
    // -1 when there is none.
    int cancelButtonIndex() const { return m_cancelButtonIndex; }
    int destructiveButtonIndex() const { return m_destructiveButtonIndex; }
    // Marks an existing button as the destructive one (drawn in red).
    void setDestructiveButtonIndex(int index);

    void addSubview(ProgressView* progressView);
    ProgressView* progressView() const { return m_progressView; }

    void show(PopupHost& host);
    void dismissWithClickedButtonIndex(int index, bool animated);
    bool isVisible() const { return m_host != nullptr; }

    // From the host: the popup is on screen (told to the delegate once per
    // showing); button `index` was pressed (the host has taken it away).
    void presented();
    void clicked(int index);

protected:
    Popup(Kind kind, QString title, QString message, const QString& cancelButtonTitle,
        const QString& destructiveButtonTitle, const QStringList& otherButtonTitles);

    virtual void tellPresented() = 0;
    virtual void tellClicked(int index) = 0;

private:
    friend class ProgressView;

    void removeSubview(ProgressView* progressView);

    Kind m_kind;
    int m_tag = 0;
    int m_style = 0;
    QString m_title;
    QString m_message;
    QStringList m_buttonTitles;
    int m_cancelButtonIndex = -1;
    int m_destructiveButtonIndex = -1;
    ProgressView* m_progressView = nullptr;
    PopupHost* m_host = nullptr;
    bool m_presented = false;
};

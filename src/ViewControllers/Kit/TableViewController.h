#pragma once

#include "ViewControllers/Kit/TableViewCell.h"
#include "ViewControllers/Kit/TableViewEntry.h"
#include "ViewControllers/Kit/ViewController.h"

#include <QList>
#include <vector>

// A screen that is a grouped table. Subclasses answer the data-source
// questions (sections, headers, rows, cells) and act on a selected row;
// reloadData() asks them afresh and hands the page a flat list of
// headers, cells and footers to draw. What was asked at the last reload
// is what the screen shows, and what a selection refers to.
class TableViewController : public ViewController {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("A screen of the application.")
    Q_PROPERTY(QList<TableViewEntry> rows READ rows NOTIFY rowsChanged)
    Q_PROPERTY(bool searchable READ searchable CONSTANT)
    Q_PROPERTY(QString searchText READ searchText WRITE setSearchText NOTIFY searchTextChanged)

public:
    explicit TableViewController(QObject* parent = nullptr);

    virtual int numberOfSectionsInTableView() const { return 1; }
    virtual QString titleForHeaderInSection(int) const { return {}; }
    virtual QString titleForFooterInSection(int) const { return {}; }
    virtual int numberOfRowsInSection(int section) const = 0;
    virtual TableViewCell cellForRowAtIndexPath(int section, int row) const = 0;
    virtual void didSelectRowAtIndexPath(int, int) { }

    // Shows the data as the subclass gives it now.
    virtual void reloadData();
    void loadView() override;

    // A tap on a row; rows that are not shown or not enabled do nothing.
    Q_INVOKABLE void selectRow(int section, int row);

    // As shown since the last reload.
    int numberOfShownSections() const { return static_cast<int>(m_sections.size()); }
    int numberOfShownRows(int section) const;
    QString shownHeader(int section) const;
    const TableViewCell* shownCell(int section, int row) const;
    int reloadCount() const { return m_reloads; }

    // A search field over the table, for screens that filter their rows.
    virtual bool searchable() const { return false; }
    QString searchText() const { return m_searchText; }
    void setSearchText(const QString& text);

    QList<TableViewEntry> rows() const { return m_rows; }

signals:
    void rowsChanged();
    void searchTextChanged();

private:
    struct Section {
        QString header;
        QString footer;
        std::vector<TableViewCell> cells;
    };

    static QList<TableViewEntry> flatten(const std::vector<Section>& sections);

    std::vector<Section> m_sections;
    QList<TableViewEntry> m_rows;
    QString m_searchText;
    int m_reloads = 0;
};

#pragma once

#include <QHash>
#include <QTranslator>

// Answers lookups from a fixed table of "Context.name" keys, so a test can localize
// texts (even to an empty text) without compiled translation files.
class TableTranslator final : public QTranslator {
public:
    explicit TableTranslator(QHash<QString, QString> table) : mTable(std::move(table)) {}
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        const auto it = mTable.find(QLatin1String(context) + '.' + QLatin1String(source));
        return it == mTable.end() ? QString() : *it;
    }

private:
    QHash<QString, QString> mTable;
};

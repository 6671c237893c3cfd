#pragma once
// A result held column by column. A few names, ids and numbers repeat
// hundreds of thousands of times in a large result, so a column keeps each
// distinct text once and its cells are small indices into those texts.
#include <QHash>
#include <QString>
#include <vector>

struct TextColumn {
    // texts[0] is the empty text, the index of every empty cell.
    std::vector<QString> texts{QString()};
    std::vector<quint32> cells;

    const QString& at(size_t row) const { return texts[cells[row]]; }
};

// Finds a text among a column's texts, adding it when new.
class TextInterner {
public:
    explicit TextInterner(TextColumn& column) : column_(column) {}

    quint32 indexOf(const QString& text)
    {
        if (text.isEmpty())
            return 0;
        if (const auto at = seen_.constFind(text); at != seen_.cend())
            return *at;
        const auto index = quint32(column_.texts.size());
        column_.texts.push_back(text);
        seen_.insert(text, index);
        return index;
    }

private:
    TextColumn& column_;
    QHash<QString, quint32> seen_;
};

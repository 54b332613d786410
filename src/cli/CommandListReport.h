#pragma once

#include <iosfwd>

class ZRCommandList;

// What a store holds, for people (a table) and for programs (JSON).
class CommandListReport {
public:
    explicit CommandListReport(const ZRCommandList& store);

    // Every command: identifier, type, name, number, and each sample's file
    // name and frame count; phone commands in list order, then the three
    // system slots (type 0 when untrained).
    void writeJson(std::ostream& out) const;
    void writeTable(std::ostream& out) const;

private:
    const ZRCommandList& m_store;
};

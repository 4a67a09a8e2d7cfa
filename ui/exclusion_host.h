#pragma once

class RowSet;

// The window that hosts the exclusion page and owns the good-names list it prunes.
class ExclusionHost {
public:
    // Deletes the good names at these rows of the full list, matched by index, never by text.
    virtual void deleteGoodNameRows(const RowSet& rows) = 0;

protected:
    ~ExclusionHost() = default;
};

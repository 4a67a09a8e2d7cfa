#pragma once

class NameList;
class RowSet;

// The window that hosts the exclusion page and owns the good-names list it prunes.
class ExclusionHost {
public:
    // Deletes the good names that are names of these rows of `names`, the list the exclusion
    // page shows; when the good names are that list, the same rows.
    virtual void deleteGoodNameRows(const NameList& names, const RowSet& rows) = 0;

protected:
    ~ExclusionHost() = default;
};

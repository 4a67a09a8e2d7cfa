#pragma once

// The window that hosts the exclusion page and owns the good-names list it prunes.
class ExclusionHost {
public:
    virtual void deleteGoodNameRow(int row) = 0;

protected:
    ~ExclusionHost() = default;
};

// Whether any face of the editable objects is selected, asked after every
// click to enable Cut and Copy. The answer is kept per object and brought up
// to date from the faces the selection changes name, so a click on a big
// object reads the faces it changed instead of all of them.
#pragma once

#include <cstdint>
#include <vector>

class CCentigrade;

class SelectedFaceTracker {
public:
    bool AnySelected(const CCentigrade& scene);

private:
    struct ObjectState {
        std::uint64_t selection = 0;
        std::uint64_t topology = 0;
        std::vector<bool> selected;
        std::size_t count = 0;
    };

    std::vector<ObjectState> objects_;
};

#include "DrawingCode.h"

#include <cstddef>
#include <string>
#include <typeinfo>

#include "app/Frame.h"
#include "scenes/Show.h"

namespace {

// Stands for any member in an aggregate initialization, to count an aggregate's members.
struct AnyMember {
    template <class T> operator T() const;
};

template <class Aggregate, class... Members> constexpr std::size_t memberCount() {
    if constexpr (requires { Aggregate{Members{}..., AnyMember{}}; }) {
        return memberCount<Aggregate, Members..., AnyMember>();
    } else {
        return sizeof...(Members);
    }
}

template <class Member> std::string described(std::size_t offset) {
    return std::string(typeid(Member).name()) + "@" + std::to_string(offset) + "+" +
           std::to_string(sizeof(Member)) + " ";
}

#define TORNUVA_SHOW_MEMBER(name) described<decltype(Show::name)>(offsetof(Show, name))

const std::string& showLayout() {
    static_assert(memberCount<Show>() == 20, "describe each member of Show here, in order");
    static const std::string layout =
        TORNUVA_SHOW_MEMBER(windSpeedLabel) + TORNUVA_SHOW_MEMBER(scroller) +
        TORNUVA_SHOW_MEMBER(channel) + TORNUVA_SHOW_MEMBER(noise) + TORNUVA_SHOW_MEMBER(can1) +
        TORNUVA_SHOW_MEMBER(can2) + TORNUVA_SHOW_MEMBER(delicacies) + TORNUVA_SHOW_MEMBER(rovaska) +
        TORNUVA_SHOW_MEMBER(logo) + TORNUVA_SHOW_MEMBER(birch) + TORNUVA_SHOW_MEMBER(haircut) +
        TORNUVA_SHOW_MEMBER(waves) + TORNUVA_SHOW_MEMBER(sun) + TORNUVA_SHOW_MEMBER(boat) +
        TORNUVA_SHOW_MEMBER(boatTopDown) + TORNUVA_SHOW_MEMBER(vane) + TORNUVA_SHOW_MEMBER(screen) +
        TORNUVA_SHOW_MEMBER(staticRng) + TORNUVA_SHOW_MEMBER(shuffleRng) +
        TORNUVA_SHOW_MEMBER(permutation) + std::to_string(sizeof(Show));
    return layout;
}

} // namespace

extern "C" __attribute__((visibility("default"))) DrawingCode tornuvaDrawingCode() {
    return {showLayout().c_str(), drawMomentAlone};
}

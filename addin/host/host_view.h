#pragma once

// The add-in's one view of the host CAM application. Everything the add-in
// does with the host goes through here and is the same for every host
// release; each release's adapter library (rigsmith_host_adapter_<release>)
// implements it against that release's SDK.
//
// All calls belong on the host's user-interface thread.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace host {

// One entity of the open drawing; the null value ends a walk. Valid while the
// drawing stays open.
class EntityRef {
public:
    constexpr EntityRef() = default;
    explicit constexpr EntityRef(std::uintptr_t token) : token_(token) {}

    [[nodiscard]] constexpr std::uintptr_t Token() const { return token_; }
    explicit constexpr operator bool() const { return token_ != 0; }
    friend constexpr bool operator==(EntityRef, EntityRef) = default;

private:
    std::uintptr_t token_ = 0;
};

// The selection flag value that means "selected".
inline constexpr std::uint16_t kSelectedFlag = 4;

// The fields of an entity's record that the add-in reads.
struct EntityFields {
    std::uint32_t typeCode = 0;
    std::uint16_t selectionFlags = 0;
    std::uint8_t colourIndex = 0;
    std::int32_t level = 0;
    std::int32_t entityNumber = 0;

    [[nodiscard]] bool IsSelected() const { return (selectionFlags & kSelectedFlag) != 0; }
};

// --- Release and units -----------------------------------------------------

// The host release the adapter was built for (2021 to 2027).
int Release();
// The base of the release's version window.
int VersionBase();
// The add-in's answer to the host's m_version call.
int AnswerVersion(int hostVersion);

// True when the host works in metric units.
bool IsMetric();

// --- Levels -----------------------------------------------------------------

// The active level numbers, in the host's order.
std::vector<int> ActiveLevelNumbers();
// The numbers of the levels with exactly this name; empty when there is none.
std::vector<int> LevelNumbersByName(const std::wstring& name);
// The level's name; empty for a number no level has.
std::wstring LevelName(int levelNumber);

// --- Entities -----------------------------------------------------------------

// The walk over every entity of the drawing, once each, in the host's order.
// Changing an entity's selection does not change the walk.
EntityRef FirstEntity();
EntityRef NextEntity(EntityRef entity);

EntityFields ReadEntity(EntityRef entity);
// False for an entity that is no longer live (deleted).
bool IsLiveEntity(EntityRef entity);

void SelectEntity(EntityRef entity);
void UnselectEntity(EntityRef entity);

// `for (EntityRef entity : host::Entities())` walks the drawing.
class EntityWalk {
public:
    class Iterator {
    public:
        explicit Iterator(EntityRef entity) : entity_(entity) {}
        EntityRef operator*() const { return entity_; }
        Iterator& operator++()
        {
            entity_ = NextEntity(entity_);
            return *this;
        }
        friend bool operator==(const Iterator&, const Iterator&) = default;

    private:
        EntityRef entity_;
    };

    [[nodiscard]] Iterator begin() const { return Iterator(FirstEntity()); }
    [[nodiscard]] Iterator end() const { return Iterator(EntityRef()); }
};
inline EntityWalk Entities() { return {}; }

// Lets the user pick entities in the host whose type code shares a bit with
// the mask; returns when the user has finished, with the picked entities
// marked selected (in addition to those selected before).
void SelectInteractively(std::uint32_t mask);

// --- Colours and files ---------------------------------------------------------

// The colour of a colour index from the host's colour table (red in the low
// byte, then green, then blue); nothing when the host gives no table.
std::optional<std::uint32_t> ColourOfIndex(int colourIndex);

// A file the host writes STL into; closed when this object is destroyed.
class StlFile {
public:
    StlFile();
    ~StlFile();
    StlFile(const StlFile&) = delete;
    StlFile& operator=(const StlFile&) = delete;

    // Creates or empties the file for writing; false when it cannot be opened.
    bool Open(const std::wstring& path);
    // Has the host write the selected entities into the open file,
    // triangulated with the tolerance. The host reports nothing back.
    void WriteSelected(double tolerance);

private:
    struct HostFile;
    std::unique_ptr<HostFile> file_;
    std::wstring path_;
};

} // namespace host

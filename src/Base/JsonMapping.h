#pragma once

// The one tolerant mapper between boost::json trees and wire/file models.
//
// A model is a plain struct described with BOOST_DESCRIBE_STRUCT (bases included). Each public
// member maps to the JSON key of the same name; a member whose name ends in '_' maps to the key
// with a leading underscore instead ("class_" <-> "_class"), because such keys are common in
// design documents and are awkward C++ names.
//
// Reading never throws: an absent key, null, or a value of the wrong type leaves the member at
// its default. Integers accept integral doubles in range; doubles accept any number.
// Writing emits every member, so a round trip loses nothing (an empty optional is written as null).
//
// Records held by std::shared_ptr: null leaves the pointer as it is, so a record that is always
// present (made in the member's initialiser) stays present, and an absent one stays absent.
// Recursive records bound their depth with NestingGuard; a JSON object kept as received derives
// from OpaqueObject; an OrderedMap with text keys maps like a JSON object, in insertion order.

#include <boost/describe.hpp>
#include <boost/json.hpp>
#include <boost/mp11.hpp>

#include "Base/OrderedMap.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace jsonmap {

// Custom conversion hook: specialise for enumerations with text raw values and similar types.
template <class T, class = void>
struct Traits; // no primary definition on purpose

template <class T, class = void>
struct HasTraits : std::false_type {};
template <class T>
struct HasTraits<T, std::void_t<decltype(Traits<T>::read(std::declval<const boost::json::value&>(), std::declval<T&>()))>>
    : std::true_type {};

inline std::string keyFor(std::string_view memberName)
{
    if (!memberName.empty() && memberName.back() == '_') {
        std::string key = "_";
        key.append(memberName.substr(0, memberName.size() - 1));
        return key;
    }
    return std::string(memberName);
}

template <class T> struct IsOptional : std::false_type {};
template <class T> struct IsOptional<std::optional<T>> : std::true_type {};
template <class T> struct IsVector : std::false_type {};
template <class T, class A> struct IsVector<std::vector<T, A>> : std::true_type {};
template <class T> struct IsStringMap : std::false_type {};
template <class T, class C, class A> struct IsStringMap<std::map<std::string, T, C, A>> : std::true_type {};
template <class T> struct IsSharedPtr : std::false_type {};
template <class T> struct IsSharedPtr<std::shared_ptr<T>> : std::true_type {};

template <class T> struct IsOrderedStringMap : std::false_type {};
template <class T, class H> struct IsOrderedStringMap<OrderedMap<std::string, T, H>> : std::true_type {};

// Counts the nesting of recursive records being read on this thread. A list of recursive records
// opens one guard per level and reads nothing once the guard is too deep, so a hostile reply cannot
// exhaust the stack in the reader, in the walkers of the tree or in its destructor.
class NestingGuard {
public:
    static constexpr int kDefaultLimit = 256;

    NestingGuard() noexcept { ++level(); }
    ~NestingGuard() { --level(); }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

    bool tooDeep(int limit = kDefaultLimit) const noexcept { return level() > limit; }
    static int depth() noexcept { return level(); }

private:
    static int& level() noexcept
    {
        thread_local int current = 0;
        return current;
    }
};

// A JSON object that this client carries without looking inside: read as received (anything but
// an object keeps the previous content) and written back unchanged.
struct OpaqueObject {
    boost::json::object raw;
};

template <class T>
struct Traits<T, std::enable_if_t<std::is_base_of_v<OpaqueObject, T>>> {
    static void read(const boost::json::value& v, T& out) noexcept
    {
        if (!v.is_object()) return;
        try {
            out.raw = v.get_object();
        } catch (...) {
            // only an allocation failure can get here; the previous content stays
        }
    }
    static boost::json::value write(const T& in) { return boost::json::value(in.raw); }
};

template <class T>
constexpr bool isDescribed = boost::describe::has_describe_members<T>::value;

template <class T> void read(const boost::json::value& v, T& out) noexcept;
template <class T> boost::json::value write(const T& in);

template <class T>
bool readNumber(const boost::json::value& v, T& out) noexcept
{
    if constexpr (std::is_floating_point_v<T>) {
        if (v.is_double()) { out = static_cast<T>(v.get_double()); return true; }
        if (v.is_int64()) { out = static_cast<T>(v.get_int64()); return true; }
        if (v.is_uint64()) { out = static_cast<T>(v.get_uint64()); return true; }
        return false;
    } else {
        using L = std::numeric_limits<T>;
        if (v.is_int64()) {
            const std::int64_t x = v.get_int64();
            if constexpr (std::is_signed_v<T>) {
                if (x < static_cast<std::int64_t>(L::min()) || x > static_cast<std::int64_t>(L::max())) return false;
            } else {
                if (x < 0 || static_cast<std::uint64_t>(x) > static_cast<std::uint64_t>(L::max())) return false;
            }
            out = static_cast<T>(x);
            return true;
        }
        if (v.is_uint64()) {
            const std::uint64_t x = v.get_uint64();
            if (x > static_cast<std::uint64_t>(L::max())) return false;
            out = static_cast<T>(x);
            return true;
        }
        if (v.is_double()) {
            const double d = v.get_double();
            if (!std::isfinite(d)) return false;
            const double t = std::trunc(d);
            if (t < static_cast<double>(L::min()) || t > static_cast<double>(L::max())) return false;
            // the upper bound of int64 is not exactly representable as a double
            if constexpr (sizeof(T) >= 8) {
                if (t >= 9.2233720368547758e18) return false;
            }
            out = static_cast<T>(t);
            return true;
        }
        return false;
    }
}

// The members of a described type by JSON key, made once per type. Reading walks the keys the
// object holds; replies usually list the keys in member order, so the member after the last one
// found is tried first and a binary search over the keys sorted by length, then text, is the
// fallback (most probes then end on a length compare). No key text is built per record.
template <class T>
class DescribedReader {
public:
    using ReadMember = void (*)(const boost::json::value&, T&) noexcept;

    static const DescribedReader& instance()
    {
        static const DescribedReader reader;
        return reader;
    }

    void read(const boost::json::object& obj, T& out) const noexcept
    {
        std::size_t next = 0;
        for (const auto& kv : obj) {
            const std::string_view key(kv.key().data(), kv.key().size());
            if (next < m_members.size() && m_members[next].key == key) {
                m_members[next].read(kv.value(), out);
                ++next;
                continue;
            }
            auto it = std::lower_bound(m_sorted.begin(), m_sorted.end(), key, [&](std::size_t m, std::string_view k) {
                return shorterOrBefore(m_members[m].key, k);
            });
            // a key may name an inherited member and a member of the same name: both are read
            for (; it != m_sorted.end() && m_members[*it].key == key; ++it) {
                m_members[*it].read(kv.value(), out);
                next = *it + 1;
            }
        }
    }

private:
    struct Member {
        std::string key;
        ReadMember read;
    };

    DescribedReader()
    {
        using Members = boost::describe::describe_members<T, boost::describe::mod_public | boost::describe::mod_inherited>;
        boost::mp11::mp_for_each<Members>([&](auto D) {
            using Descriptor = decltype(D);
            m_members.push_back(Member{keyFor(D.name), [](const boost::json::value& v, T& out) noexcept {
                                           jsonmap::read(v, out.*Descriptor::pointer);
                                       }});
        });
        for (std::size_t i = 0; i < m_members.size(); ++i) m_sorted.push_back(i);
        std::stable_sort(m_sorted.begin(), m_sorted.end(), [&](std::size_t a, std::size_t b) {
            return shorterOrBefore(m_members[a].key, m_members[b].key);
        });
    }

    static bool shorterOrBefore(std::string_view a, std::string_view b) noexcept
    {
        if (a.size() != b.size()) return a.size() < b.size();
        return a < b;
    }

    std::vector<Member> m_members; // in member order
    std::vector<std::size_t> m_sorted; // indices into m_members, by key length, then key
};

template <class T>
void readDescribed(const boost::json::object& obj, T& out) noexcept
{
    DescribedReader<T>::instance().read(obj, out);
}

// The JSON keys of a described type's members, in member order, made once per type.
template <class T>
const std::vector<std::string>& describedKeys()
{
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> result;
        using Members = boost::describe::describe_members<T, boost::describe::mod_public | boost::describe::mod_inherited>;
        boost::mp11::mp_for_each<Members>([&](auto D) { result.push_back(keyFor(D.name)); });
        return result;
    }();
    return keys;
}

template <class T>
void read(const boost::json::value& v, T& out) noexcept
{
    if constexpr (HasTraits<T>::value) {
        Traits<T>::read(v, out);
    } else if constexpr (std::is_same_v<T, bool>) {
        if (v.is_bool()) out = v.get_bool();
    } else if constexpr (std::is_arithmetic_v<T>) {
        readNumber(v, out);
    } else if constexpr (std::is_same_v<T, std::string>) {
        if (v.is_string()) out.assign(v.get_string().data(), v.get_string().size());
    } else if constexpr (std::is_same_v<T, boost::json::value>) {
        out = v;
    } else if constexpr (std::is_same_v<T, boost::json::object>) {
        if (v.is_object()) out = v.get_object();
    } else if constexpr (std::is_same_v<T, boost::json::array>) {
        if (v.is_array()) out = v.get_array();
    } else if constexpr (IsOptional<T>::value) {
        if (v.is_null()) { out.reset(); return; }
        typename T::value_type inner{};
        if (out) inner = *out;
        // only take the value when its type fits; a wrong type keeps the previous state
        if constexpr (std::is_same_v<typename T::value_type, std::string>) {
            if (!v.is_string()) return;
        } else if constexpr (std::is_same_v<typename T::value_type, bool>) {
            if (!v.is_bool()) return;
        } else if constexpr (std::is_arithmetic_v<typename T::value_type>) {
            if (!v.is_number()) return;
        } else if constexpr (isDescribed<typename T::value_type>) {
            if (!v.is_object()) return;
        } else if constexpr (IsVector<typename T::value_type>::value) {
            if (!v.is_array()) return;
        } else if constexpr (std::is_base_of_v<OpaqueObject, typename T::value_type>) {
            if (!v.is_object()) return;
        }
        read(v, inner);
        out = std::move(inner);
    } else if constexpr (IsSharedPtr<T>::value) {
        if (v.is_null()) return;
        if constexpr (isDescribed<typename T::element_type>) {
            if (!v.is_object()) return;
        }
        auto inner = std::make_shared<typename T::element_type>();
        read(v, *inner);
        out = std::move(inner);
    } else if constexpr (IsVector<T>::value) {
        if (!v.is_array()) return;
        const auto& arr = v.get_array();
        T result;
        result.reserve(arr.size());
        for (const auto& e : arr) {
            typename T::value_type item{};
            read(e, item);
            result.push_back(std::move(item));
        }
        out = std::move(result);
    } else if constexpr (IsStringMap<T>::value) {
        if (!v.is_object()) return;
        T result;
        for (const auto& kv : v.get_object()) {
            typename T::mapped_type item{};
            read(kv.value(), item);
            result.emplace(std::string(kv.key()), std::move(item));
        }
        out = std::move(result);
    } else if constexpr (IsOrderedStringMap<T>::value) {
        if (!v.is_object()) return;
        T result;
        for (const auto& kv : v.get_object()) {
            typename T::Entry::second_type item{};
            read(kv.value(), item);
            result.insert_or_assign(std::string(kv.key()), std::move(item));
        }
        out = std::move(result);
    } else if constexpr (isDescribed<T>) {
        if (v.is_object()) readDescribed(v.get_object(), out);
    } else {
        static_assert(sizeof(T) == 0, "type has no JSON mapping");
    }
}

template <class T>
boost::json::value write(const T& in)
{
    if constexpr (HasTraits<T>::value) {
        return Traits<T>::write(in);
    } else if constexpr (std::is_same_v<T, bool>) {
        return boost::json::value(in);
    } else if constexpr (std::is_floating_point_v<T>) {
        return boost::json::value(static_cast<double>(in));
    } else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>) {
        return boost::json::value(static_cast<std::int64_t>(in));
    } else if constexpr (std::is_integral_v<T>) {
        return boost::json::value(static_cast<std::uint64_t>(in));
    } else if constexpr (std::is_same_v<T, std::string>) {
        return boost::json::value(boost::json::string_view(in.data(), in.size()));
    } else if constexpr (std::is_same_v<T, boost::json::value>) {
        return in;
    } else if constexpr (std::is_same_v<T, boost::json::object> || std::is_same_v<T, boost::json::array>) {
        return boost::json::value(in);
    } else if constexpr (IsOptional<T>::value) {
        if (!in) return boost::json::value(nullptr);
        return write(*in);
    } else if constexpr (IsSharedPtr<T>::value) {
        if (!in) return boost::json::value(nullptr);
        return write(*in);
    } else if constexpr (IsVector<T>::value) {
        boost::json::array arr;
        arr.reserve(in.size());
        for (const auto& e : in) arr.push_back(write(e));
        return arr;
    } else if constexpr (IsStringMap<T>::value) {
        boost::json::object obj;
        for (const auto& [k, e] : in) obj[k] = write(e);
        return obj;
    } else if constexpr (IsOrderedStringMap<T>::value) {
        boost::json::object obj;
        obj.reserve(in.size());
        for (const auto& [k, e] : in) obj[k] = write(e);
        return obj;
    } else if constexpr (isDescribed<T>) {
        boost::json::object obj;
        const std::vector<std::string>& keys = describedKeys<T>();
        obj.reserve(keys.size());
        std::size_t index = 0;
        using Members = boost::describe::describe_members<T, boost::describe::mod_public | boost::describe::mod_inherited>;
        boost::mp11::mp_for_each<Members>([&](auto D) { obj[keys[index++]] = write(in.*D.pointer); });
        return obj;
    } else {
        static_assert(sizeof(T) == 0, "type has no JSON mapping");
    }
}

// Convenience: a model from a JSON value (defaults for whatever is missing or mistyped).
template <class T>
T fromJson(const boost::json::value& v) noexcept
{
    T t{};
    read(v, t);
    return t;
}

// The same from an object held on its own. A record is read in place: binding the object to the
// value form above would build a whole new tree first, and a service reply can be tens of megabytes.
template <class T>
T fromJson(const boost::json::object& obj) noexcept
{
    T t{};
    if constexpr (isDescribed<T> && !HasTraits<T>::value) {
        readDescribed(obj, t);
    } else {
        // Only types that are not records come this way; they hold what they read anyway.
        try {
            read(boost::json::value(obj), t);
        } catch (...) {
            // only an allocation failure can get here; the model keeps its defaults
        }
    }
    return t;
}

template <class T>
boost::json::object toJsonObject(const T& in)
{
    boost::json::value v = write(in);
    if (v.is_object()) return std::move(v.get_object());
    return {};
}

} // namespace jsonmap

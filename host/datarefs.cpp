// host/datarefs.cpp: the simulator's variables, the variables a plug-in
// publishes through its accessors, the XPLM data access calls and the write
// and type-mismatch logs.
#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <stdexcept>
#include <unordered_map>
#include <unordered_set>

#include "XPLMDataAccess.h"
#include "internal.h"

namespace xphost {
namespace {

struct Var;

// What a plug-in holds. Handles live until the process ends, so a handle kept
// across a withdrawal or a reset is an orphan, never a dangling pointer. As in
// the simulator, a name's handle is one for the process: the name published
// again brings its orphaned handle back to life (and keeps the host's memory
// bounded over many resets).
struct Handle {
    std::string path;
    Var* var = nullptr;
};

// A variable a plug-in publishes: the host keeps no value, it calls these.
struct Accessor {
    XPLMGetDatai_f geti = nullptr;
    XPLMSetDatai_f seti = nullptr;
    XPLMGetDataf_f getf = nullptr;
    XPLMSetDataf_f setf = nullptr;
    XPLMGetDatad_f getd = nullptr;
    XPLMSetDatad_f setd = nullptr;
    XPLMGetDatavi_f getvi = nullptr;
    XPLMSetDatavi_f setvi = nullptr;
    XPLMGetDatavf_f getvf = nullptr;
    XPLMSetDatavf_f setvf = nullptr;
    XPLMGetDatab_f getb = nullptr;
    XPLMSetDatab_f setb = nullptr;
    void* read_ref = nullptr;
    void* write_ref = nullptr;
};

// What a variable holds. An old name X-Plane 12 replaced and its replacement
// share one.
struct Value {
    int    i = 0;
    float  f = 0;
    double d = 0;
    std::vector<int>   vi;
    std::vector<float> vf;
    std::vector<unsigned char> bytes;
};

struct Var {
    Dataref meta;
    bool   published = false;                // by a plug-in, through acc
    Accessor acc;
    std::shared_ptr<Value> val = std::make_shared<Value>();
    Handle* handle = nullptr;
    bool   buttons = false;                  // a write presses mode buttons (the autopilot state)
};

struct Store {
    std::unordered_map<std::string, std::unique_ptr<Var>> vars;   // by path; looked up every frame
    std::vector<std::string> order;          // publication order
    std::vector<Dataref> catalogue;          // rebuilt when order changes
    std::vector<std::string> published;      // registration order
    std::vector<Write> writes;
    std::vector<TypeMismatch> mismatches;
    std::vector<std::string> refused;        // registrations the host turned down
    std::vector<std::string> replaced_lookups;
    int find_calls = 0;
};

Store& store()
{
    static Store* s = new Store;             // outlives static destructors of plug-ins
    return *s;
}

std::deque<Handle>& handles()
{
    static auto* h = new std::deque<Handle>;
    return *h;
}

std::unordered_set<const void*>& handle_set()
{
    static auto* s = new std::unordered_set<const void*>;
    return *s;
}

// Every handle ever made, by its name.
std::unordered_map<std::string, Handle*>& handle_by_path()
{
    static auto* m = new std::unordered_map<std::string, Handle*>;
    return *m;
}

void rebuild_catalogue()
{
    Store& s = store();
    s.catalogue.clear();
    for (const auto& p : s.order)
        s.catalogue.push_back(s.vars.at(p)->meta);
}

// A variable's entry goes; every handle to it is an orphan from now on. The
// path is a copy: callers may pass the variable's own name, which goes with it.
void erase_var(std::string path)
{
    Store& s = store();
    auto it = s.vars.find(path);
    if (it == s.vars.end())
        return;
    const bool published = it->second->published;
    it->second->handle->var = nullptr;
    s.vars.erase(it);
    auto& list = published ? s.published : s.order;
    list.erase(std::find(list.begin(), list.end(), path));
    if (!published)
        rebuild_catalogue();
}

// A fresh value, or the one of its other name when that is published.
void size_storage(Var& v)
{
    if (const char* twin = detail::catalogue_twin(v.meta.path)) {
        auto it = store().vars.find(twin);
        if (it != store().vars.end() && !it->second->published) {
            v.val = it->second->val;
            return;
        }
    }
    const int n = std::max(0, v.meta.size);
    v.val = std::make_shared<Value>();
    v.val->vi.assign(v.meta.types & xplmType_IntArray ? n : 0, 0);
    v.val->vf.assign(v.meta.types & xplmType_FloatArray ? n : 0, 0.0f);
    v.val->bytes.assign(v.meta.types & xplmType_Data ? n : 0, 0);
}

Var* add_var(const Dataref& ref, bool rebuild = true)
{
    Store& s = store();
    auto it = s.vars.find(ref.path);
    if (it != s.vars.end()) {
        // Re-publishing keeps the handle the plug-in may already hold.
        it->second->meta = ref;
        it->second->published = false;
        it->second->acc = Accessor{};
        size_storage(*it->second);
        rebuild_catalogue();
        return it->second.get();
    }
    auto v = std::make_unique<Var>();
    v->meta = ref;
    v->buttons = ref.path == "sim/cockpit/autopilot/autopilot_state";
    size_storage(*v);
    Handle*& handle = handle_by_path()[ref.path];
    if (!handle) {
        handles().push_back(Handle{ref.path, nullptr});
        handle = &handles().back();
        handle_set().insert(handle);
    }
    handle->var = v.get();
    v->handle = handle;
    Var* added = v.get();
    s.vars.emplace(ref.path, std::move(v));
    s.order.push_back(ref.path);
    if (rebuild)
        rebuild_catalogue();
    return added;
}

// The host's view of a plug-in's handle: the handle (or null when it is not
// one of ours) and its variable (null when orphaned).
Handle* handle_of(XPLMDataRef ref)
{
    if (!ref || !handle_set().count(ref))
        return nullptr;
    return static_cast<Handle*>(ref);
}

Var* var_of(XPLMDataRef ref)
{
    Handle* h = handle_of(ref);
    return h ? h->var : nullptr;
}

Var& need(const std::string& path)
{
    auto it = store().vars.find(path);
    if (it == store().vars.end())
        throw std::out_of_range("xphost: no simulator variable \"" + path + "\" is published");
    return *it->second;
}

// The simulator's own variables only: a plug-in's published value is its own.
Var& need_own(const std::string& path)
{
    Var& v = need(path);
    if (v.published)
        throw std::invalid_argument("xphost: \"" + path + "\" is published by a plug-in; the simulator cannot set it");
    return v;
}

void mismatch(Var* v, const char* call)
{
    store().mismatches.push_back(TypeMismatch{v->meta.path, call});
}

// Logs a write and says whether it may take effect.
bool log_write(XPLMDataRef ref, int type, int offset, std::vector<double> values, const char* call)
{
    Write w;
    w.time = now();
    w.type = type;
    w.offset = offset;
    w.values = std::move(values);
    Handle* h = handle_of(ref);
    Var* v = h ? h->var : nullptr;
    w.path = h ? h->path : "";
    w.accepted = v != nullptr && v->meta.writable;
    if (v && !(v->meta.types & type)) {
        mismatch(v, call);
        w.accepted = false;
    }
    const bool accepted = w.accepted;
    store().writes.push_back(std::move(w));
    return accepted;
}

bool readable(Var* v, int type, const char* call)
{
    if (!v)
        return false;
    if (!(v->meta.types & type)) {
        mismatch(v, call);
        return false;
    }
    return true;
}

template <typename T>
int read_array(const std::vector<T>& from, T* out, int offset, int max)
{
    const int n = static_cast<int>(from.size());
    if (!out)
        return n;
    if (offset < 0 || offset >= n || max <= 0)
        return 0;
    const int count = std::min(max, n - offset);
    std::copy(from.begin() + offset, from.begin() + offset + count, out);
    return count;
}

template <typename T>
void write_array(std::vector<T>& to, const T* in, int offset, int count)
{
    const int n = static_cast<int>(to.size());
    if (!in || offset < 0 || offset >= n || count <= 0)
        return;
    const int m = std::min(count, n - offset);   // clipped at the array end
    std::copy(in, in + m, to.begin() + offset);
}

// A published array read whole through its accessor, for the test side: the
// length it reports, then that many elements, both kept within bounds.
template <typename T, typename Get>
std::vector<T> read_published(Get get, void* ref)
{
    constexpr int kLimit = 1 << 20;
    const int n = std::clamp(detail::call_plugin(CallbackKind::Other, get, ref, static_cast<T*>(nullptr), 0, 0), 0, kLimit);
    std::vector<T> out(static_cast<size_t>(n));
    const int got = n > 0 ? std::clamp(detail::call_plugin(CallbackKind::Other, get, ref, out.data(), 0, n), 0, n) : 0;
    out.resize(static_cast<size_t>(got));
    return out;
}

// What a published variable holds at this moment, in the form the host keeps
// its own variables in.
Var snapshot(const Var& v)
{
    Var s;
    s.meta = v.meta;
    Value& to = *s.val;
    const Accessor& a = v.acc;
    if (a.geti) to.i = detail::call_plugin(CallbackKind::Other, a.geti, a.read_ref);
    if (a.getf) to.f = detail::call_plugin(CallbackKind::Other, a.getf, a.read_ref);
    if (a.getd) to.d = detail::call_plugin(CallbackKind::Other, a.getd, a.read_ref);
    if ((v.meta.types & xplmType_IntArray) && a.getvi)
        to.vi = read_published<int>(a.getvi, a.read_ref);
    if ((v.meta.types & xplmType_FloatArray) && a.getvf)
        to.vf = read_published<float>(a.getvf, a.read_ref);
    if ((v.meta.types & xplmType_Data) && a.getb)
        to.bytes = read_published<unsigned char>(a.getb, a.read_ref);
    return s;
}

const Var& view(const Var& v, Var& copy)
{
    if (!v.published)
        return v;
    copy = snapshot(v);
    return copy;
}

}  // namespace

namespace detail {

void drop_plugin_accessors()
{
    const std::vector<std::string> published = store().published;
    for (const auto& path : published) {
        record_fault("the variable " + path + " was left published");
        erase_var(path);
    }
}

void reset_datarefs()
{
    Store& s = store();
    for (auto& [path, v] : s.vars)
        v->handle->var = nullptr;               // every earlier handle is an orphan now
    s.vars.clear();
    s.order.clear();
    s.published.clear();
    s.refused.clear();
    s.replaced_lookups.clear();
    s.writes.clear();
    s.mismatches.clear();
    s.find_calls = 0;

    int count = 0;
    const CatalogueEntry* e = catalogue_entries(&count);
    for (int k = 0; k < count; ++k)
        add_var(Dataref{e[k].path, e[k].types, e[k].size, e[k].writable}, false);
    rebuild_catalogue();

    set_i("sim/graphics/view/window_width", 1024);
    set_i("sim/graphics/view/window_height", 768);
    set_i("sim/time/sim_speed", 1);
}

}  // namespace detail

// ---------------------------------------------------------------- test side

const std::vector<Dataref>& catalogue() { return store().catalogue; }

bool is_published(const std::string& path) { return store().vars.count(path) != 0; }

const Dataref* find(const std::string& path)
{
    auto it = store().vars.find(path);
    return it == store().vars.end() ? nullptr : &it->second->meta;
}

void publish(const Dataref& ref)
{
    if (ref.path.empty())
        throw std::invalid_argument("xphost: a variable needs a path");
    add_var(ref);
}

void withdraw(const std::string& path) { erase_var(path); }

std::vector<std::string> published_datarefs() { return store().published; }

const std::vector<std::string>& refused_registrations() { return store().refused; }

// The test side converts between the numeric kinds, so a test need not know
// whether the simulator keeps a value as int, float or double.
void set_i(const std::string& path, int value) { set_d(path, value); }
void set_f(const std::string& path, float value) { set_d(path, value); }

void set_d(const std::string& path, double value)
{
    Var& var = need_own(path);
    Value& v = *var.val;
    if (var.meta.types & xplmType_Int) v.i = static_cast<int>(value);
    else if (var.meta.types & xplmType_Float) v.f = static_cast<float>(value);
    else if (var.meta.types & xplmType_Double) v.d = value;
    else if (!v.vi.empty()) v.vi[0] = static_cast<int>(value);
    else if (!v.vf.empty()) v.vf[0] = static_cast<float>(value);
    else throw std::invalid_argument("xphost: \"" + path + "\" holds no number");
}

int   get_i(const std::string& path) { return static_cast<int>(get_d(path)); }
float get_f(const std::string& path) { return static_cast<float>(get_d(path)); }

double get_d(const std::string& path)
{
    Var copy;
    const Var& var = view(need(path), copy);
    const Value& v = *var.val;
    if (var.meta.types & xplmType_Int) return v.i;
    if (var.meta.types & xplmType_Float) return v.f;
    if (var.meta.types & xplmType_Double) return v.d;
    if (!v.vi.empty()) return v.vi[0];
    if (!v.vf.empty()) return v.vf[0];
    throw std::invalid_argument("xphost: \"" + path + "\" holds no number");
}

void set_vi(const std::string& path, const std::vector<int>& values, int offset)
{
    Value& v = *need_own(path).val;
    if (!v.vf.empty()) {
        std::vector<float> f(values.begin(), values.end());
        write_array(v.vf, f.data(), offset, static_cast<int>(f.size()));
    } else {
        write_array(v.vi, values.data(), offset, static_cast<int>(values.size()));
    }
}

void set_vf(const std::string& path, const std::vector<float>& values, int offset)
{
    Value& v = *need_own(path).val;
    if (!v.vi.empty()) {
        std::vector<int> n;
        for (float x : values) n.push_back(static_cast<int>(x));
        write_array(v.vi, n.data(), offset, static_cast<int>(n.size()));
    } else {
        write_array(v.vf, values.data(), offset, static_cast<int>(values.size()));
    }
}

namespace {
template <typename T, typename U>
std::vector<T> slice(const std::vector<U>& from, int offset, int count)
{
    const int n = static_cast<int>(from.size());
    std::vector<T> out;
    if (offset < 0 || offset >= n)
        return out;
    const int end = count < 0 ? n : std::min(n, offset + count);
    for (int k = offset; k < end; ++k)
        out.push_back(static_cast<T>(from[k]));
    return out;
}
}  // namespace

std::vector<int> get_vi(const std::string& path, int offset, int count)
{
    Var copy;
    const Value& v = *view(need(path), copy).val;
    return v.vf.empty() ? slice<int>(v.vi, offset, count) : slice<int>(v.vf, offset, count);
}

std::vector<float> get_vf(const std::string& path, int offset, int count)
{
    Var copy;
    const Value& v = *view(need(path), copy).val;
    return v.vi.empty() ? slice<float>(v.vf, offset, count) : slice<float>(v.vi, offset, count);
}

void set_b(const std::string& path, const std::string& bytes)
{
    Value& v = *need_own(path).val;
    std::fill(v.bytes.begin(), v.bytes.end(), 0);
    std::copy_n(bytes.begin(), std::min(bytes.size(), v.bytes.size()), v.bytes.begin());
}

std::string get_b(const std::string& path)
{
    Var copy;
    const Value& v = *view(need(path), copy).val;
    const auto end = std::find(v.bytes.begin(), v.bytes.end(), 0);
    return std::string(v.bytes.begin(), end);
}

const std::vector<Write>& writes() { return store().writes; }

std::vector<Write> writes_to(const std::string& path)
{
    std::vector<Write> out;
    for (const auto& w : store().writes)
        if (w.path == path)
            out.push_back(w);
    return out;
}

void clear_writes() { store().writes.clear(); }

const std::vector<TypeMismatch>& type_mismatches() { return store().mismatches; }

int find_calls() { return store().find_calls; }

const std::vector<std::string>& replaced_lookups() { return store().replaced_lookups; }

}  // namespace xphost

// ---------------------------------------------------------------- plug-in side

using namespace xphost;

XPLMDataRef XPLMFindDataRef(const char* inDataRefName)
{
    XPHOST_API(XPLMFindDataRef, text(inDataRefName));
    ++store().find_calls;
    if (!inDataRefName)
        return nullptr;
    auto it = store().vars.find(inDataRefName);
    if (it == store().vars.end())
        return nullptr;
    // X-Plane 12 warns about a plug-in that asks for a replaced name.
    const char* replacement = detail::catalogue_replacement(inDataRefName);
    if (replacement && is_published(replacement))
        store().replaced_lookups.push_back(inDataRefName);
    return it->second->handle;
}

int XPLMCanWriteDataRef(XPLMDataRef inDataRef)
{
    XPHOST_API(XPLMCanWriteDataRef, inDataRef);
    Var* v = var_of(inDataRef);
    return v && v->meta.writable ? 1 : 0;
}

int XPLMIsDataRefGood(XPLMDataRef inDataRef)
{
    XPHOST_API(XPLMIsDataRefGood, inDataRef);
    return var_of(inDataRef) ? 1 : 0;
}

XPLMDataTypeID XPLMGetDataRefTypes(XPLMDataRef inDataRef)
{
    XPHOST_API(XPLMGetDataRefTypes, inDataRef);
    Var* v = var_of(inDataRef);
    return v ? v->meta.types : xplmType_Unknown;
}

// A published variable answers through its accessor (0 when it has none for
// the type); the host's own variables from their storage.
int XPLMGetDatai(XPLMDataRef inDataRef)
{
    XPHOST_API(XPLMGetDatai, inDataRef);
    Var* v = var_of(inDataRef);
    if (!readable(v, xplmType_Int, "XPLMGetDatai"))
        return 0;
    if (v->published)
        return v->acc.geti ? detail::call_plugin(CallbackKind::Other, v->acc.geti, v->acc.read_ref) : 0;
    return v->val->i;
}

void XPLMSetDatai(XPLMDataRef inDataRef, int inValue)
{
    XPHOST_API(XPLMSetDatai, inDataRef, inValue);
    if (!log_write(inDataRef, xplmType_Int, 0, {double(inValue)}, "XPLMSetDatai"))
        return;
    Var* v = var_of(inDataRef);
    if (v->published) {
        if (v->acc.seti)
            detail::call_plugin(CallbackKind::Other, v->acc.seti, v->acc.write_ref, inValue);
        return;
    }
    v->val->i = v->buttons ? autopilot_after_presses(v->val->i, inValue) : inValue;
}

float XPLMGetDataf(XPLMDataRef inDataRef)
{
    XPHOST_API(XPLMGetDataf, inDataRef);
    Var* v = var_of(inDataRef);
    if (!readable(v, xplmType_Float, "XPLMGetDataf"))
        return 0.0f;
    if (v->published)
        return v->acc.getf ? detail::call_plugin(CallbackKind::Other, v->acc.getf, v->acc.read_ref) : 0.0f;
    return v->val->f;
}

void XPLMSetDataf(XPLMDataRef inDataRef, float inValue)
{
    XPHOST_API(XPLMSetDataf, inDataRef, inValue);
    if (!log_write(inDataRef, xplmType_Float, 0, {double(inValue)}, "XPLMSetDataf"))
        return;
    Var* v = var_of(inDataRef);
    if (!v->published)
        v->val->f = inValue;
    else if (v->acc.setf)
        detail::call_plugin(CallbackKind::Other, v->acc.setf, v->acc.write_ref, inValue);
}

double XPLMGetDatad(XPLMDataRef inDataRef)
{
    XPHOST_API(XPLMGetDatad, inDataRef);
    Var* v = var_of(inDataRef);
    if (!readable(v, xplmType_Double, "XPLMGetDatad"))
        return 0.0;
    if (v->published)
        return v->acc.getd ? detail::call_plugin(CallbackKind::Other, v->acc.getd, v->acc.read_ref) : 0.0;
    return v->val->d;
}

void XPLMSetDatad(XPLMDataRef inDataRef, double inValue)
{
    XPHOST_API(XPLMSetDatad, inDataRef, inValue);
    if (!log_write(inDataRef, xplmType_Double, 0, {inValue}, "XPLMSetDatad"))
        return;
    Var* v = var_of(inDataRef);
    if (!v->published)
        v->val->d = inValue;
    else if (v->acc.setd)
        detail::call_plugin(CallbackKind::Other, v->acc.setd, v->acc.write_ref, inValue);
}

// Array calls reach a publisher with the caller's arguments unchanged, a null
// destination (asking for the length) and any offset included.
int XPLMGetDatavi(XPLMDataRef inDataRef, int* outValues, int inOffset, int inMax)
{
    XPHOST_API(XPLMGetDatavi, inDataRef, out(outValues, inMax), inOffset, inMax);
    Var* v = var_of(inDataRef);
    if (!readable(v, xplmType_IntArray, "XPLMGetDatavi"))
        return 0;
    if (v->published)
        return v->acc.getvi ? detail::call_plugin(CallbackKind::Other, v->acc.getvi, v->acc.read_ref, outValues, inOffset, inMax) : 0;
    return read_array(v->val->vi, outValues, inOffset, inMax);
}

namespace {
template <typename T>
std::vector<double> as_values(const T* in, int count)
{
    std::vector<double> out;
    if (in)
        for (int k = 0; k < count; ++k)
            out.push_back(static_cast<double>(in[k]));
    return out;
}
}  // namespace

void XPLMSetDatavi(XPLMDataRef inDataRef, int* inValues, int inoffset, int inCount)
{
    XPHOST_API(XPLMSetDatavi, inDataRef, in(inValues, inCount), inoffset, inCount);
    if (!log_write(inDataRef, xplmType_IntArray, inoffset, as_values(inValues, inCount), "XPLMSetDatavi"))
        return;
    Var* v = var_of(inDataRef);
    if (!v->published)
        write_array(v->val->vi, inValues, inoffset, inCount);
    else if (v->acc.setvi)
        detail::call_plugin(CallbackKind::Other, v->acc.setvi, v->acc.write_ref, inValues, inoffset, inCount);
}

int XPLMGetDatavf(XPLMDataRef inDataRef, float* outValues, int inOffset, int inMax)
{
    XPHOST_API(XPLMGetDatavf, inDataRef, out(outValues, inMax), inOffset, inMax);
    Var* v = var_of(inDataRef);
    if (!readable(v, xplmType_FloatArray, "XPLMGetDatavf"))
        return 0;
    if (v->published)
        return v->acc.getvf ? detail::call_plugin(CallbackKind::Other, v->acc.getvf, v->acc.read_ref, outValues, inOffset, inMax) : 0;
    return read_array(v->val->vf, outValues, inOffset, inMax);
}

void XPLMSetDatavf(XPLMDataRef inDataRef, float* inValues, int inoffset, int inCount)
{
    XPHOST_API(XPLMSetDatavf, inDataRef, in(inValues, inCount), inoffset, inCount);
    if (!log_write(inDataRef, xplmType_FloatArray, inoffset, as_values(inValues, inCount), "XPLMSetDatavf"))
        return;
    Var* v = var_of(inDataRef);
    if (!v->published)
        write_array(v->val->vf, inValues, inoffset, inCount);
    else if (v->acc.setvf)
        detail::call_plugin(CallbackKind::Other, v->acc.setvf, v->acc.write_ref, inValues, inoffset, inCount);
}

int XPLMGetDatab(XPLMDataRef inDataRef, void* outValue, int inOffset, int inMaxBytes)
{
    XPHOST_API(XPLMGetDatab, inDataRef, bytes_out(outValue, inMaxBytes), inOffset, inMaxBytes);
    Var* v = var_of(inDataRef);
    if (!readable(v, xplmType_Data, "XPLMGetDatab"))
        return 0;
    if (v->published)
        return v->acc.getb ? detail::call_plugin(CallbackKind::Other, v->acc.getb, v->acc.read_ref, outValue, inOffset, inMaxBytes) : 0;
    return read_array(v->val->bytes, static_cast<unsigned char*>(outValue), inOffset, inMaxBytes);
}

void XPLMSetDatab(XPLMDataRef inDataRef, void* inValue, int inOffset, int inLength)
{
    XPHOST_API(XPLMSetDatab, inDataRef, bytes_in(inValue, inLength), inOffset, inLength);
    const auto* bytes = static_cast<const unsigned char*>(inValue);
    if (!log_write(inDataRef, xplmType_Data, inOffset, as_values(bytes, inLength), "XPLMSetDatab"))
        return;
    Var* v = var_of(inDataRef);
    if (!v->published)
        write_array(v->val->bytes, bytes, inOffset, inLength);
    else if (v->acc.setb)
        detail::call_plugin(CallbackKind::Other, v->acc.setb, v->acc.write_ref, inValue, inOffset, inLength);
}

// ---------------------------------------------------------------- publishing

// A name that is already taken (by the simulator or another registration) is
// refused with a null handle, so a plug-in cannot count on shadowing it.
XPLMDataRef XPLMRegisterDataAccessor(const char* inDataName, XPLMDataTypeID inDataType, int inIsWritable,
                                     XPLMGetDatai_f inReadInt, XPLMSetDatai_f inWriteInt,
                                     XPLMGetDataf_f inReadFloat, XPLMSetDataf_f inWriteFloat,
                                     XPLMGetDatad_f inReadDouble, XPLMSetDatad_f inWriteDouble,
                                     XPLMGetDatavi_f inReadIntArray, XPLMSetDatavi_f inWriteIntArray,
                                     XPLMGetDatavf_f inReadFloatArray, XPLMSetDatavf_f inWriteFloatArray,
                                     XPLMGetDatab_f inReadData, XPLMSetDatab_f inWriteData, void* inReadRefcon,
                                     void* inWriteRefcon)
{
    XPHOST_API(XPLMRegisterDataAccessor, text(inDataName), inDataType, inIsWritable, inReadInt, inWriteInt, inReadFloat, inWriteFloat, inReadDouble, inWriteDouble, inReadIntArray, inWriteIntArray, inReadFloatArray, inWriteFloatArray, inReadData, inWriteData, inReadRefcon, inWriteRefcon);
    Store& s = store();
    if (!inDataName || !*inDataName || s.vars.count(inDataName)) {
        s.refused.push_back(inDataName ? inDataName : "");
        return nullptr;
    }
    Var* v = add_var(Dataref{inDataName, inDataType, 0, inIsWritable != 0});
    // Published variables are no part of the simulator's catalogue.
    s.order.pop_back();
    rebuild_catalogue();
    s.published.push_back(inDataName);
    v->published = true;
    v->acc = Accessor{inReadInt,        inWriteInt,        inReadFloat, inWriteFloat, inReadDouble,
                      inWriteDouble,    inReadIntArray,    inWriteIntArray, inReadFloatArray,
                      inWriteFloatArray, inReadData,       inWriteData, inReadRefcon, inWriteRefcon};
    return v->handle;
}

// Only what a plug-in published can be withdrawn this way; old handles become
// orphans that read 0.
void XPLMUnregisterDataAccessor(XPLMDataRef inDataRef)
{
    XPHOST_API(XPLMUnregisterDataAccessor, inDataRef);
    Var* v = var_of(inDataRef);
    if (v && v->published)
        erase_var(v->meta.path);
}

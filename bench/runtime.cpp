// What the object model costs per operation: reference counting, monitors,
// vector access and hashtable look-ups.
#include <benchmark/benchmark.h>

#include "lang/Integer.h"
#include "lang/String.h"
#include "util/Hashtable.h"
#include "util/Vector.h"

static void BM_AddRefRelease(benchmark::State& state) {
    auto* o = new lang::Object();
    for (auto _ : state) {
        o->addRef();
        o->release();
    }
    o->release();
}
BENCHMARK(BM_AddRefRelease);

static void BM_LockUnlock(benchmark::State& state) {
    lang::Object o;
    for (auto _ : state) {
        o.lock();
        o.unlock();
    }
}
BENCHMARK(BM_LockUnlock);

static void BM_VectorAddElement(benchmark::State& state) {
    lang::Integer item(1);
    for (auto _ : state) {
        util::Vector v;
        for (int i = 0; i < 1000; ++i) v.addElement(&item);
        benchmark::DoNotOptimize(v.size());
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_VectorAddElement);

static void BM_VectorElementAt(benchmark::State& state) {
    lang::Integer item(1);
    util::Vector v;
    for (int i = 0; i < 1000; ++i) v.addElement(&item);
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) benchmark::DoNotOptimize(v.elementAt(i));
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_VectorElementAt);

static void BM_HashtableGet(benchmark::State& state) {
    util::Hashtable table;
    lang::Integer value(1);
    for (int i = 0; i < 500; ++i) table.put(lang::String("sprite") + i, &value);
    lang::String key = lang::String("sprite") + 250;
    for (auto _ : state) benchmark::DoNotOptimize(table.get(&key));
}
BENCHMARK(BM_HashtableGet);

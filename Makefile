# The two commands a newcomer needs: `make play` and `make test` (`./run play` and `./run test` on a
# machine that has no make yet).
.PHONY: play serve test golden fuzz bench check-reach check-reach-web deps clean

deps:
	@tools/install-deps.sh

play: deps
	cmake --preset release
	cmake --build --preset release
	./build/release/vexmoor

# The game in web browsers: vexmoor-server, by default on 127.0.0.1:8080 with its data in
# ~/.local/share/vexmoor-server; it prints the address to open. SERVE_ARGS="--listen 0.0.0.0:8080"
# and the like go to it.
serve: deps
	cmake --preset release
	cmake --build --preset release
	./build/release/vexmoor-server $(SERVE_ARGS)

# The tests, among them lintian's verdict on the Debian package of the game build, made first.
test: deps
	cmake --preset test
	cmake --build --preset test
	cmake --preset release
	cmake --build --preset release --target package
	ctest --preset test

# The Debian package of the game build: build/release/package/vexmoor_1.0_<arch>.deb
.PHONY: package
package: deps
	cmake --preset release
	cmake --build --preset release --target package
	dpkg-deb -c build/release/package/vexmoor_*.deb

# The fuzz targets of the save file and of the recordings, FUZZ_SECONDS each, from the committed
# corpora (the recordings' is tests/replays); what they find is kept in build/fuzz/corpus and
# build/fuzz/recordings (not committed) and a failing input in build/fuzz/.
FUZZ_SECONDS ?= 60
fuzz: deps
	@tools/install-deps.sh fuzz
	cmake --preset fuzz
	cmake --build --preset fuzz
	mkdir -p build/fuzz/corpus build/fuzz/recordings build/fuzz/server
	build/fuzz/tests/save_file_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
		-artifact_prefix=build/fuzz/ build/fuzz/corpus tests/fuzz/corpus
	build/fuzz/tests/recording_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
		-max_len=65536 -artifact_prefix=build/fuzz/recording- build/fuzz/recordings tests/replays
	build/fuzz/tests/server_message_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
		-artifact_prefix=build/fuzz/server- build/fuzz/server tests/fuzz/server_corpus

# The figures: a turn, time and repaints, a key on a long trail and its wipe, the start-up against a reference program, the game at
# rest, and a browser's key to its scene through the server; X11 figures too when DISPLAY is set (Xvfb :9 & DISPLAY=:9 make bench).
bench: deps
	cmake --preset bench
	cmake --build --preset bench
	./build/bench/bench/game_bench
	./build/bench/bench/trail_bench
	./build/bench/bench/startup_bench
	./build/bench/bench/idle_bench
	./build/bench/bench/session_bench
	./build/bench/bench/terminal_bench
	./build/bench/bench/web_bench
	./build/bench/bench/load_bench

# What the Orca screen reader speaks of a short game of the game build, read from its debug log on
# a virtual display (tools/check-reach.sh, about two minutes; not part of `make test`, as it needs Orca).
check-reach: deps
	@tools/install-deps.sh reach
	cmake --preset release
	cmake --build --preset release
	tools/check-reach.sh build/release/vexmoor

# The same of a short game in the browser page, Chromium in a window on the virtual display
# (tools/check-reach-web.sh, about three minutes; not part of `make test`, as it needs Orca).
check-reach-web: deps
	@tools/install-deps.sh reach
	cmake --preset release
	cmake --build --preset release --target vexmoor-server vexmoor-web
	tools/check-reach-web.sh build/release/vexmoor-server

# Writes the golden dumps of the windows anew after a deliberate change of a text, colour or place.
golden: deps
	cmake --preset test
	cmake --build --preset test
	UPDATE_GOLDEN=1 ctest --preset test -R Golden

clean:
	rm -rf build

# The two commands a newcomer needs: `make play` and `make test`.
.PHONY: play test bench deps clean

deps:
	@tools/install-deps.sh

play: deps
	cmake --preset release
	cmake --build --preset release
	./build/release/vexmoor

test: deps
	cmake --preset test
	cmake --build --preset test
	ctest --preset test

# The figures: a turn, time and repaints, the start-up against a reference program, and the game at
# rest; X11 figures too when DISPLAY is set (Xvfb :9 & DISPLAY=:9 make bench).
bench: deps
	cmake --preset bench
	cmake --build --preset bench
	./build/bench/bench/game_bench
	./build/bench/bench/startup_bench
	./build/bench/bench/idle_bench

clean:
	rm -rf build

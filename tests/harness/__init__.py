"""What every test of the real programs shares: the X sessions and compositors they run on, the
programs under test behind one interface, the face as the screen shows it and the figures the
program's own code gives for it. Tests, the benchmark and the demo import it from the source's
top folder, as tests.harness."""

# Renders a score in ABC notation to an Ogg Vorbis file, reproducibly. Run as a script:
#
#   cmake -DSCORE=<file.abc> -DWORK_DIR=<dir> -DOUTPUT=<file.ogg> -DSECONDS=<length>
#         -DABC2MIDI=... -DFLUIDSYNTH=... -DSOUNDFONT=... -DSOX=... -DOGGENC=... -P RenderSong.cmake
#
# Steps: ABC -> MIDI (abc2midi; <WORK_DIR>/<name>.mid is kept for the tests), MIDI -> float WAV
# (FluidSynth, rendered as fast as it goes, no audio driver), WAV -> WAV cut to exactly SECONDS
# and normalised to a -3 dBFS peak (sox), WAV -> Ogg Vorbis (oggenc with a fixed stream serial).
# No step uses the clock or an unseeded random source, so the same score gives the same bytes.

foreach(var SCORE WORK_DIR OUTPUT SECONDS ABC2MIDI FLUIDSYNTH SOUNDFONT SOX OGGENC)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "RenderSong.cmake: ${var} is not set")
  endif()
endforeach()

set(SAMPLE_RATE 44100)
set(PEAK_DBFS -3)
set(VORBIS_QUALITY 5)
set(VORBIS_SERIAL 20261)

get_filename_component(name ${SCORE} NAME_WE)
set(midi ${WORK_DIR}/${name}.mid)
set(rendered ${WORK_DIR}/${name}.rendered.wav)
set(mastered ${WORK_DIR}/${name}.wav)
math(EXPR samples "${SECONDS} * ${SAMPLE_RATE}")
file(MAKE_DIRECTORY ${WORK_DIR})
get_filename_component(output_dir ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${output_dir})

# abc2midi reports a bar of the wrong length only as a warning and carries on, which would
# shift every later note off the poem's times; here any warning stops the build.
# -NCOM: comments of the score stay out of the MIDI file.
execute_process(COMMAND ${ABC2MIDI} ${SCORE} -o ${midi} -NCOM
  OUTPUT_VARIABLE abc_out ERROR_VARIABLE abc_out RESULT_VARIABLE abc_result)
if(NOT abc_result EQUAL 0 OR abc_out MATCHES "Warning|Error")
  message(FATAL_ERROR "abc2midi did not accept ${SCORE}:\n${abc_out}")
endif()

# -n -i: no MIDI input, no shell; -F: render to the file as fast as possible, which also
# leaves out the audio driver. Float samples, so nothing clips before sox sets the level.
# The reverb is a hall rather than FluidSynth's default small room; each channel's send is
# set in the score (controller 91).
execute_process(COMMAND ${FLUIDSYNTH} -q -n -i -F ${rendered} -T wav -O float -r ${SAMPLE_RATE}
    -g 0.5 -o synth.reverb.room-size=0.6 -o synth.reverb.damp=0.4 ${SOUNDFONT} ${midi}
  OUTPUT_QUIET RESULT_VARIABLE synth_result ERROR_VARIABLE synth_err)
if(NOT synth_result EQUAL 0 OR NOT EXISTS ${rendered})
  message(FATAL_ERROR "fluidsynth failed on ${midi}:\n${synth_err}")
endif()

# FluidSynth renders past the last note while voices ring out; the song is cut to its exact
# length so that a loop lands on a bar line. 24-bit output: sox adds no dither (-R keeps any
# random source seeded anyway).
execute_process(COMMAND ${SOX} -R -V1 ${rendered} -b 24 ${mastered}
    trim 0 ${samples}s gain -n ${PEAK_DBFS}
  RESULT_VARIABLE sox_result ERROR_VARIABLE sox_err)
if(NOT sox_result EQUAL 0)
  message(FATAL_ERROR "sox failed on ${rendered}:\n${sox_err}")
endif()

execute_process(COMMAND ${OGGENC} -Q -q ${VORBIS_QUALITY} --serial ${VORBIS_SERIAL}
    -t Drennmoor -o ${OUTPUT} ${mastered}
  RESULT_VARIABLE ogg_result ERROR_VARIABLE ogg_err)
if(NOT ogg_result EQUAL 0)
  message(FATAL_ERROR "oggenc failed on ${mastered}:\n${ogg_err}")
endif()
file(REMOVE ${rendered} ${mastered})

# Stages copies of tandrel for the kit's tests, with the run path of an
# installed one ($ORIGIN/../lib/tandrel): STAGE/bin/tandrel finds the
# recording library in STAGE/lib/tandrel, STAGE/alone/bin/tandrel finds none.
#   cmake -DPROGRAM=tandrel -DSTAGE=folder -P stage.cmake
foreach(folder ${STAGE}/bin ${STAGE}/alone/bin)
  file(MAKE_DIRECTORY ${folder})
  file(COPY_FILE ${PROGRAM} ${folder}/tandrel)
  file(RPATH_SET FILE ${folder}/tandrel NEW_RPATH "$ORIGIN/../lib/tandrel")
endforeach()
